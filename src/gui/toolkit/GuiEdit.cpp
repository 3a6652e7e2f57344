#include "gui/toolkit/GuiEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>

namespace lk {

bool IsEditAccelerator(const QKeyEvent& event)
{
    const QKeySequence pressed(event.keyCombination());
    for (const char* keys : {"Alt+Backspace", "Shift+Del", "Ctrl+Ins", "Shift+Ins"}) {
        if (pressed == QKeySequence(keys)) {
            return true;
        }
    }
    return false;
}

namespace {

// Leaves the key to the window's shortcuts: an override that is not accepted
// lets the accelerator fire.
bool YieldsToAccelerator(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsEditAccelerator(*key)) {
        return false;
    }
    key->ignore();
    return true;
}

// The colours a box takes beyond the inherited palette: the face colour for a
// read-only box, and no selection highlight without the focus.
void ApplyEditLook(QWidget& box, bool readOnly)
{
    const QPalette inherited = QApplication::palette(&box);
    const QColor base = inherited.color(readOnly ? QPalette::Window : QPalette::Base);
    QPalette look; // every role not set here follows the inherited palette
    if (readOnly) {
        look.setColor(QPalette::Base, base);
    }
    if (!box.hasFocus()) {
        look.setColor(QPalette::Highlight, base);
        look.setColor(QPalette::HighlightedText, inherited.color(QPalette::Text));
    }
    box.setPalette(look);
}

bool ChangesLook(const QEvent& event)
{
    return event.type() == QEvent::ReadOnlyChange || event.type() == QEvent::ApplicationPaletteChange;
}

} // namespace

GuiEdit::GuiEdit(QWidget* parent) : QLineEdit(parent)
{
    ApplyEditLook(*this, isReadOnly());
}

void GuiEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (ChangesLook(*event)) {
        ApplyEditLook(*this, isReadOnly());
    }
}

void GuiEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    ApplyEditLook(*this, isReadOnly());
}

void GuiEdit::ShowValue(const QString& value)
{
    // setText drops the box's whole undo history; clear(), insert() and deleting
    // a selection are edits that Undo takes back.
    setText(value);
    setCursorPosition(0);
}

bool GuiEdit::event(QEvent* event)
{
    if (YieldsToAccelerator(event)) {
        return true;
    }
    return QLineEdit::event(event);
}

void GuiEdit::focusOutEvent(QFocusEvent* event)
{
    // Qt drops a line edit's selection when it loses the focus; the form keeps it.
    const int start = selectionStart();
    const int length = selectedText().size();
    QLineEdit::focusOutEvent(event);
    if (start >= 0 && length > 0) {
        setSelection(start, length);
    }
    ApplyEditLook(*this, isReadOnly());
}

GuiTextEdit::GuiTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    ApplyEditLook(*this, isReadOnly());
}

void GuiTextEdit::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (ChangesLook(*event)) {
        ApplyEditLook(*this, isReadOnly());
    }
}

void GuiTextEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    ApplyEditLook(*this, isReadOnly());
}

void GuiTextEdit::ShowValue(const QString& value)
{
    // setPlainText starts the document afresh, its undo stack included.
    setPlainText(value);
    moveCursor(QTextCursor::Start);
}

bool GuiTextEdit::event(QEvent* event)
{
    if (YieldsToAccelerator(event)) {
        return true;
    }
    return QPlainTextEdit::event(event);
}

void GuiTextEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    ApplyEditLook(*this, isReadOnly());
    // Moving into a box with the Tab key selects its whole text, as in the other boxes.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        selectAll();
    }
}

} // namespace lk
