#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

namespace lk {

// The edit boxes of the account form. Two things set them apart from Qt's own:
// each keeps its selection while another box has the focus, since the form's
// Cut and Copy act on the selections of all boxes; and the accelerators of the
// Edit commands (Alt+Backspace, Shift+Delete, Ctrl+Insert, Shift+Insert) go to
// the form's commands instead of the focused box alone. They also look as the
// platform's edit boxes always did: a read-only box (the masked password) is
// drawn on the window's face colour, and a box without the focus shows no
// highlight for the selection it keeps (Cut and Copy still act on it).

// True for the keys that the main window's accelerators take from the boxes.
bool IsEditAccelerator(const QKeyEvent& event);

class GuiEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit GuiEdit(QWidget* parent = nullptr);

    // Shows a value as the program puts it there, not as typing: the box keeps
    // no undo step, so Undo can never bring back what it held before (another
    // account's text, a password). The beginning of a long value is in view.
    void ShowValue(const QString& value);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class GuiTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit GuiTextEdit(QWidget* parent = nullptr);

    // As GuiEdit::ShowValue: no undo step is left, the first line is in view.
    void ShowValue(const QString& value);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace lk
