#include "gui/toolkit/PrintSettings.h"

#include <QPageSetupDialog>
#include <QPrinter>

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

bool PrintSettings::RunPageSetup(QWidget* owner)
{
    QPageSetupDialog dialog(&Printer(), owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace lk
