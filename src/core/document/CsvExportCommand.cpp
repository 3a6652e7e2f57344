#include "core/document/CsvExportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/document/PlainTextWarning.h"
#include "core/transfer/CsvExport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lk {

DesktopPort::FileDialog CsvExportFileDialog()
{
    DesktopPort::FileDialog dialog;
    dialog.defaultExtension = u"csv";
    dialog.initialName = u"*.csv";
    dialog.filter = u"CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";
    return dialog;
}

TransferOutcome ExportCsvAccounts(CReaderDoc& document)
{
    return ExportToChosenFile(document, CsvExportFileDialog(), [](const AccountList& accounts) {
        const std::string text = CsvExportText(accounts);
        return std::vector<std::uint8_t>(text.begin(), text.end());
    });
}

void CReaderDoc::OnExportCsv()
{
    if (!ConfirmPlainTextFile(*this)) {
        return;
    }
    // The handler has no result: every failure has been shown to the user.
    static_cast<void>(ExportCsvAccounts(*this));
}

} // namespace lk
