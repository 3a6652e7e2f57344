#pragma once

#include "core/ports/DesktopPort.h"

#include <deque>
#include <string>
#include <vector>

namespace lk::test {

// A desktop port that answers from a script and records what it was asked.
class ScriptedDesktop : public DesktopPort
{
public:
    struct Shown
    {
        std::u16string text;
        std::u16string caption;
        Owner owner;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    // Answers for the questions, in order; an unscripted question is answered No.
    std::deque<bool> answers;
    // Files that the choosers return, in order; an unscripted chooser is cancelled.
    std::deque<std::filesystem::path> chosenFiles;
    bool listingShown = true;

    std::vector<Shown> questions;
    std::vector<Shown> messages;
    std::vector<FileDialog> openDialogs;
    std::vector<FileDialog> saveDialogs;
    std::vector<std::string> openedAddresses;
    std::vector<std::string> listings; // the listing file's bytes at the time it was shown
    std::vector<std::filesystem::path> listingPaths;
    std::vector<std::filesystem::path> openedFiles;

    bool AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner) override;
    void ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialog& dialog) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialog& dialog) override;
    bool OpenWebAddress(std::string_view address) override;
    bool ShowListing(const std::filesystem::path& listingFile) override;
    bool OpenLocalFile(const std::filesystem::path& file) override;
};

} // namespace lk::test
