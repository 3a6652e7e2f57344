#include "transfer/AccountExport.h"

#include "platform/PrivateFile.h"
#include "store/AccountLine.h"
#include "store/CReaderDoc.h"
#include "transfer/TransferText.h"

namespace lk {

std::u16string ExportText(const AccountList& list)
{
    std::u16string text;
    for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
        const AccountRecord* record = list.GetAt(i);
        if (record != nullptr && IsTransferred(*record)) {
            text += FormatAccountLine(*record);
        }
    }
    return text;
}

TransferOutcome ExportAccounts(CReaderDoc& document)
{
    DesktopPort& desktop = document.Desktop();
    const std::optional<std::filesystem::path> chosen = desktop.ChooseFileToSave(ExportFileDialog());
    if (!chosen) {
        RefreshAndResetForm(document);
        return TransferOutcome::Cancelled;
    }
    if (IsDataFolder(*chosen, document.GetFolders().data)) {
        desktop.ShowMessage(u"LedgerKeeper file is selected. Please retry...", u"LedgerKeeper - Error",
                            DesktopPort::Owner::None);
        return TransferOutcome::Refused;
    }
    // The file holds every password, so it is written readable by its owner only.
    TransferOutcome outcome = TransferOutcome::Done;
    if (!WritePrivateFile(*chosen, EncodeUtf16Le(ExportText(document.Accounts())))) {
        desktop.ShowMessage(u"The export file could not be written.", u"LedgerKeeper - Error",
                            DesktopPort::Owner::None);
        outcome = TransferOutcome::Failed;
    }
    RefreshAndResetForm(document);
    return outcome;
}

void CReaderDoc::OnExport()
{
    ExportAccounts(*this);
}

} // namespace lk
