#include "core/document/CsvExportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/Captions.h"
#include "core/transfer/CsvExport.h"

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
    DesktopPort& desktop = document.Desktop();
    const std::optional<std::filesystem::path> chosen = desktop.ChooseFileToSave(CsvExportFileDialog());
    if (!chosen) {
        RefreshAndResetForm(document);
        return TransferOutcome::Cancelled;
    }
    if (IsDataFolder(*chosen, document.GetFolders().data)) {
        desktop.ShowMessage(u"LedgerKeeper file is selected. Please retry...", kErrorCaption, DesktopPort::Owner::None);
        return TransferOutcome::Refused;
    }
    const std::string text = CsvExportText(document.Accounts());
    TransferOutcome outcome = TransferOutcome::Done;
    if (!ReplaceExportFile(*chosen, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()})) {
        desktop.ShowMessage(u"The export file could not be written.", kErrorCaption, DesktopPort::Owner::None);
        outcome = TransferOutcome::Failed;
    }
    RefreshAndResetForm(document);
    return outcome;
}

void CReaderDoc::OnExportCsv()
{
    // The handler has no result: every failure has been shown to the user.
    static_cast<void>(ExportCsvAccounts(*this));
}

} // namespace lk
