#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lk {

// Everything the core asks of the desktop: questions and messages, file
// choosers, opening a web address, and showing the printing listing. The GUI
// implements it with Qt, the command-line tool on the terminal, tests with a script.
class DesktopPort
{
public:
    // Which window a question or message belongs to.
    enum class Owner
    {
        None,
        Form,
        MainWindow,
    };

    // The settings of a file chooser. The filter is in the original program's
    // form: "Name (*.ext)|*.ext|All Files (*.*)|*.*||".
    struct FileDialog
    {
        std::u16string defaultExtension;
        std::u16string initialName;
        std::u16string filter;
        bool pathMustExist = false;
        bool fileMustExist = false;
        bool askBeforeCreating = false;
    };

    virtual ~DesktopPort() = default;

    // A modal question with the buttons Yes and No and no icon; true for Yes.
    virtual bool AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner) = 0;
    // A modal message with a single OK button.
    virtual void ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner) = 0;
    // The file chosen to read or to write, or nothing when the user cancels.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialog& dialog) = 0;
    virtual std::optional<std::filesystem::path> ChooseFileToSave(const FileDialog& dialog) = 0;
    // Hands a web address (always http or https) to the desktop's browser.
    virtual bool OpenWebAddress(std::string_view address) = 0;
    // Shows the listing file to read or print, and returns once the user has
    // closed it; false when it could not be shown.
    virtual bool ShowListing(const std::filesystem::path& listingFile) = 0;
    // Opens a local document (the manual) with the desktop's viewer.
    virtual bool OpenLocalFile(const std::filesystem::path& file) = 0;
};

} // namespace lk
