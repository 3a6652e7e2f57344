#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace lk {

class PrintSettings;

// The window that shows the printing listing: its text, read-only, with
// "Print..." (the system's print dialog, on the page settings of Print Setup)
// and "Close". It stands where another system would open the listing file in a
// text editor, and like that editor it keeps the file until it is closed.
class ListingWindow : public QDialog
{
    Q_OBJECT

public:
    ListingWindow(const QString& text, PrintSettings& printing, QWidget* parent = nullptr);

    QPlainTextEdit* TextView() const { return m_text; }
    QPushButton* PrintButton() const { return m_print; }
    QPushButton* CloseButton() const { return m_close; }

    // Prints the listing on the session's printer, after its print dialog.
    void OnPrint();

private:
    PrintSettings& m_printing;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace lk
