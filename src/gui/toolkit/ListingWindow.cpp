#include "gui/toolkit/ListingWindow.h"

#include "gui/toolkit/PrintSettings.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace lk {

ListingWindow::ListingWindow(const QString& text, PrintSettings& printing, QWidget* parent)
    : QDialog(parent), m_printing(printing)
{
    setWindowTitle("PrintFormat.txt - LedgerKeeper");
    setObjectName("ListingWindow");
    resize(620, 520);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("ListingText");
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setTabStopDistance(m_text->fontMetrics().horizontalAdvance(' ') * 8);
    m_text->setPlainText(text);

    auto* buttons = new QDialogButtonBox(this);
    m_print = buttons->addButton("Print...", QDialogButtonBox::ActionRole);
    m_print->setObjectName("PrintButton");
    m_close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    m_close->setObjectName("CloseButton");
    m_close->setDefault(true);
    connect(m_print, &QPushButton::clicked, this, &ListingWindow::OnPrint);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
}

void ListingWindow::OnPrint()
{
    QPrinter& printer = m_printing.Printer();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QTextDocument document;
    document.setDefaultFont(m_text->font());
    document.setPlainText(m_text->toPlainText());
    document.print(&printer);
}

} // namespace lk
