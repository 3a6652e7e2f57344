#include "core/document/ExportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/Captions.h"
#include "core/transfer/AccountExport.h"
#include "core/transfer/TransferText.h"

#include <system_error>

namespace lk {
namespace {

// Replaces the export file as a whole: the new text goes to a temporary file
// beside it and is renamed over it, so a crash or a full disk leaves the
// previous export (often the user's only backup) as it was. A link is followed
// to the file it names, which is what writing through it did; what is not a
// regular file (a device, a pipe, a folder) is never replaced.
bool ReplaceExportFile(const std::filesystem::path& chosen, std::span<const std::uint8_t> bytes)
{
    std::error_code error;
    std::filesystem::path target = chosen;
    if (std::filesystem::is_symlink(chosen, error)) {
        target = std::filesystem::weakly_canonical(chosen, error);
        if (error) {
            return false;
        }
    }
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return false;
    }
    return ReplaceFileAtomically(target, bytes);
}

} // namespace

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
