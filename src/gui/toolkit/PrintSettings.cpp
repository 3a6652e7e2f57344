#include "gui/toolkit/PrintSettings.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace lk {

PrintSettings::PrintSettings() = default;
PrintSettings::~PrintSettings() = default;

QPrinter& PrintSettings::Printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_printer;
}

bool PrintSettings::RunPrintSetup(QWidget* owner)
{
    // The system's print dialog with nothing of a print job in it (no range,
    // no copies to collate): it chooses the printer and, through the printer's
    // properties, the paper, orientation and margins. OK keeps them for the
    // session; nothing is printed.
    QPrintDialog dialog(&Printer(), owner);
    dialog.setWindowTitle("Print Setup");
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
            ok->setText("OK");
        }
    }
    return dialog.exec() == QDialog::Accepted;
}

} // namespace lk
