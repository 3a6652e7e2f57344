#pragma once

#include "core/ports/DesktopPort.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace lk {

class AccountList;
class CReaderDoc;

// How an import or an export ended.
enum class TransferOutcome
{
    Done,      // the file was written or read
    Cancelled, // the user cancelled the file chooser
    Refused,   // the data folder itself was chosen; the refusal has been shown
    Failed,    // the file could not be written or read; the error has been shown
};

// Said once after an import some of whose accounts could not be written.
inline constexpr std::u16string_view kImportNotSavedMessage = u"Some accounts of the import file could not be saved.";

// The file chooser of Import (the file must exist) and of Export (the user is
// asked before a new file is created): text files first, then all files.
DesktopPort::FileDialog ImportFileDialog();
DesktopPort::FileDialog ExportFileDialog();

// Whether the chosen path is the data folder itself, compared without regard to
// letter case, as the file systems the program came from compare names.
bool IsDataFolder(const std::filesystem::path& chosen, const std::filesystem::path& dataFolder);

// Replaces the export file as a whole: the new text goes to a temporary file
// beside it and is renamed over it, so a crash or a full disk leaves the
// previous export (often the user's only backup) as it was. A link is followed
// to the file it names, which is what writing through it did; what is not a
// regular file (a device, a pipe, a folder) is never replaced.
bool ReplaceExportFile(const std::filesystem::path& chosen, std::span<const std::uint8_t> bytes);

// The end of every import and export that got past the refusal: the list is
// reloaded from the data folder, and the form, whose record the reload freed, is
// reset to an empty account.
void RefreshAndResetForm(CReaderDoc& document);

// The course every export takes: the user chooses a file with `dialog`; the
// data folder itself is refused before anything else happens; the bytes that
// `contents` makes of the list replace the file whole (ReplaceExportFile); then
// the list is refreshed and the form reset, also when the user cancels.
using ExportContents = std::function<std::vector<std::uint8_t>(const AccountList&)>;
[[nodiscard]] TransferOutcome ExportToChosenFile(CReaderDoc& document, const DesktopPort::FileDialog& dialog,
                                                 const ExportContents& contents);

} // namespace lk
