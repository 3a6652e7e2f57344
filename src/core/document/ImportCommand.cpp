#include "core/document/ImportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/document/CsvImportCommand.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/Captions.h"
#include "core/transfer/AccountImport.h"
#include "core/transfer/ImportFormat.h"
#include "core/transfer/TransferText.h"

#include <algorithm>

namespace lk {
namespace {

// Far more than any store's export; a larger file is refused rather than read
// into memory.
constexpr std::size_t kMaxImportFileBytes = std::size_t{256} * 1024 * 1024;
constexpr std::u16string_view kNeitherFormatMessage =
    u"The file is neither an account export nor a CSV file with a header.";

} // namespace

TransferOutcome ImportAccounts(CReaderDoc& document)
{
    DesktopPort& desktop = document.Desktop();
    const std::optional<std::filesystem::path> chosen = desktop.ChooseFileToOpen(ImportFileDialog());
    if (!chosen) {
        RefreshAndResetForm(document);
        return TransferOutcome::Cancelled;
    }
    if (IsDataFolder(*chosen, document.GetFolders().data)) {
        desktop.ShowMessage(u"Invalid selection to LedgerKeeper import file. Please retry...", kBareErrorCaption,
                            DesktopPort::Owner::None);
        return TransferOutcome::Refused;
    }
    // Read only: importing needs no right to change the file. It is read before
    // the list is emptied, so the message below never shows while the form and
    // the trees still refer to records of an emptied list.
    // Anything but a regular file (a FIFO, a device) is refused without waiting.
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadRegularFile(*chosen, kMaxImportFileBytes, LinkRule::Follow);
    if (!bytes) {
        desktop.ShowMessage(u"The import file could not be read.", kErrorCaption, DesktopPort::Owner::None);
        RefreshAndResetForm(document);
        return TransferOutcome::Failed;
    }
    const ImportFormat format = DetectImportFormat(*bytes);
    if (format == ImportFormat::Neither) {
        desktop.ShowMessage(kNeitherFormatMessage, kErrorCaption, DesktopPort::Owner::None);
        RefreshAndResetForm(document);
        return TransferOutcome::Failed;
    }
    AccountList& list = document.Accounts();
    std::size_t notSaved = 0;
    std::optional<CsvImportCounts> csv;
    {
        // One store operation: what another process saves meanwhile is either
        // in the list the lines are compared with, or saved after the import.
        const FolderLock lock = document.LockStore();
        list.Clear();
        document.LoadAllAccounts(list);
        if (format == ImportFormat::Csv) {
            csv = MergeCsvFile(document, *bytes);
        } else {
            // The new accounts are saved together once every line has been read:
            // the disk is waited for once, not once for each account. A failed
            // save leaves the account out of the store: the refresh below
            // reloads the list from the account files.
            std::vector<AccountRecord*> added;
            MergeAccountLines(DecodeUtf16Le(*bytes), list,
                              [&added](AccountRecord& record) { added.push_back(&record); });
            const std::vector<bool> saved = document.SaveAccounts(added);
            notSaved = static_cast<std::size_t>(std::count(saved.begin(), saved.end(), false));
        }
    }
    if (csv) {
        // Told once the store is free again, since the user may take their time,
        // and once the trees and the form hold the refreshed list, so that the
        // window behind the summary shows what was imported and refers to no
        // record of the emptied list.
        RefreshAndResetForm(document);
        return ReportCsvImport(document, *csv);
    }
    TransferOutcome outcome = TransferOutcome::Done;
    if (notSaved != 0) {
        desktop.ShowMessage(kImportNotSavedMessage, kErrorCaption, DesktopPort::Owner::None);
        outcome = TransferOutcome::Failed;
    }
    RefreshAndResetForm(document);
    return outcome;
}

void CReaderDoc::OnImport()
{
    // The handler has no result: every failure has been shown to the user.
    static_cast<void>(ImportAccounts(*this));
}

} // namespace lk
