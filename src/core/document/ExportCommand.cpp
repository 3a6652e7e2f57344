#include "core/document/ExportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/Captions.h"
#include "core/transfer/AccountExport.h"
#include "core/transfer/TransferText.h"

namespace lk {
TransferOutcome ExportAccounts(CReaderDoc& document)
{
    DesktopPort& desktop = document.Desktop();
    const std::optional<std::filesystem::path> chosen = desktop.ChooseFileToSave(ExportFileDialog());
    if (!chosen) {
        RefreshAndResetForm(document);
        return TransferOutcome::Cancelled;
    }
    if (IsDataFolder(*chosen, document.GetFolders().data)) {
        desktop.ShowMessage(u"LedgerKeeper file is selected. Please retry...", kErrorCaption, DesktopPort::Owner::None);
        return TransferOutcome::Refused;
    }
    // The file holds every password, so it is written readable by its owner only.
    TransferOutcome outcome = TransferOutcome::Done;
    if (!ReplaceExportFile(*chosen, EncodeUtf16Le(ExportText(document.Accounts())))) {
        desktop.ShowMessage(u"The export file could not be written.", kErrorCaption, DesktopPort::Owner::None);
        outcome = TransferOutcome::Failed;
    }
    RefreshAndResetForm(document);
    return outcome;
}

void CReaderDoc::OnExport()
{
    // The handler has no result: every failure has been shown to the user.
    static_cast<void>(ExportAccounts(*this));
}

} // namespace lk
