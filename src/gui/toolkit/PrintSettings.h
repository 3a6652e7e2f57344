#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace lk {

// The printer and page settings of the session: Print Setup changes them, and
// printing the listing uses them. The printer is made on first use, since
// finding the system's printers can take a moment.
class PrintSettings
{
public:
    PrintSettings();
    ~PrintSettings();
    PrintSettings(const PrintSettings&) = delete;
    PrintSettings& operator=(const PrintSettings&) = delete;

    QPrinter& Printer();
    // The "Print Setup" dialog: the printer, then its paper and page through
    // its properties; true when the user accepted new settings.
    bool RunPrintSetup(QWidget* owner);

private:
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace lk
