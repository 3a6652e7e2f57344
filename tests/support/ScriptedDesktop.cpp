#include "support/ScriptedDesktop.h"

#include <fstream>
#include <iterator>

namespace lk::test {

bool ScriptedDesktop::AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner)
{
    questions.push_back({std::u16string(text), std::u16string(caption), owner});
    if (answers.empty()) {
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDesktop::ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner)
{
    messages.push_back({std::u16string(text), std::u16string(caption), owner});
}

std::optional<std::filesystem::path> ScriptedDesktop::ChooseFileToOpen(const FileDialog& dialog)
{
    openDialogs.push_back(dialog);
    if (chosenFiles.empty()) {
        return std::nullopt;
    }
    auto file = chosenFiles.front();
    chosenFiles.pop_front();
    return file;
}

std::optional<std::filesystem::path> ScriptedDesktop::ChooseFileToSave(const FileDialog& dialog)
{
    saveDialogs.push_back(dialog);
    if (chosenFiles.empty()) {
        return std::nullopt;
    }
    auto file = chosenFiles.front();
    chosenFiles.pop_front();
    return file;
}

bool ScriptedDesktop::OpenWebAddress(std::string_view address)
{
    openedAddresses.emplace_back(address);
    return true;
}

bool ScriptedDesktop::ShowListing(const std::filesystem::path& listingFile)
{
    listingPaths.push_back(listingFile);
    std::ifstream in(listingFile, std::ios::binary);
    listings.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return listingShown;
}

bool ScriptedDesktop::OpenLocalFile(const std::filesystem::path& file)
{
    openedFiles.push_back(file);
    return true;
}

} // namespace lk::test
