#include "core/document/TransferCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/PrivateFile.h"
#include "core/platform/TextConversion.h"
#include "core/ports/Captions.h"
#include "core/ports/FormPort.h"

#include <system_error>

namespace lk {
namespace {

DesktopPort::FileDialog TextFileDialog()
{
    DesktopPort::FileDialog dialog;
    dialog.defaultExtension = u"txt";
    dialog.initialName = u"*.txt";
    dialog.filter = u"File Type (*.txt)|*.txt|All Files (*.*)|*.*||";
    return dialog;
}

// The path as a comparable text: normalised, without a trailing separator.
std::string Comparable(const std::filesystem::path& path)
{
    std::string text = path.lexically_normal().generic_string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

} // namespace

DesktopPort::FileDialog ImportFileDialog()
{
    DesktopPort::FileDialog dialog = TextFileDialog();
    dialog.pathMustExist = true;
    dialog.fileMustExist = true;
    return dialog;
}

DesktopPort::FileDialog ExportFileDialog()
{
    DesktopPort::FileDialog dialog = TextFileDialog();
    dialog.askBeforeCreating = true;
    return dialog;
}

bool IsDataFolder(const std::filesystem::path& chosen, const std::filesystem::path& dataFolder)
{
    return EqualsIgnoringAsciiCase(Comparable(chosen), Comparable(dataFolder));
}

void RefreshAndResetForm(CReaderDoc& document)
{
    document.RefreshAccounts();
    if (document.m_pFormView != nullptr) {
        document.m_pFormView->OnInitialUpdate();
    }
}

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

TransferOutcome ExportToChosenFile(CReaderDoc& document, const DesktopPort::FileDialog& dialog,
                                   const ExportContents& contents)
{
    DesktopPort& desktop = document.Desktop();
    const std::optional<std::filesystem::path> chosen = desktop.ChooseFileToSave(dialog);
    if (!chosen) {
        RefreshAndResetForm(document);
        return TransferOutcome::Cancelled;
    }
    if (IsDataFolder(*chosen, document.GetFolders().data)) {
        desktop.ShowMessage(u"LedgerKeeper file is selected. Please retry...", kErrorCaption, DesktopPort::Owner::None);
        return TransferOutcome::Refused;
    }
    TransferOutcome outcome = TransferOutcome::Done;
    if (!ReplaceExportFile(*chosen, contents(document.Accounts()))) {
        desktop.ShowMessage(u"The export file could not be written.", kErrorCaption, DesktopPort::Owner::None);
        outcome = TransferOutcome::Failed;
    }
    RefreshAndResetForm(document);
    return outcome;
}

} // namespace lk
