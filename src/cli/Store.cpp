#include "cli/Store.h"

#include "core/platform/PrivateFile.h"
#include "core/platform/TextConversion.h"
#include "core/platform/UserName.h"
#include "core/store/AccountRecord.h"

#include <cstdlib>
#include <ostream>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lk::cli {

bool TerminalDesktop::AskYesNo(std::u16string_view text, std::u16string_view, Owner)
{
    err_ << ToEightBit(text) << (answerYes ? " Yes" : " No") << '\n';
    return answerYes;
}

void TerminalDesktop::ShowMessage(std::u16string_view text, std::u16string_view, Owner)
{
    err_ << ToEightBit(text) << '\n';
}

std::optional<std::filesystem::path> TerminalDesktop::ChooseFileToOpen(const FileDialog&)
{
    return chosenFile;
}

std::optional<std::filesystem::path> TerminalDesktop::ChooseFileToSave(const FileDialog&)
{
    return chosenFile;
}

bool TerminalDesktop::OpenWebAddress(std::string_view address)
{
    if (!openAddresses) {
        return true;
    }
#ifndef _WIN32
    // The address goes to the opener as one argument, never through a shell.
    const std::string argument(address);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("xdg-open", "xdg-open", argument.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (child < 0) {
        return false;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#else
    return false;
#endif
}

bool TerminalDesktop::ShowListing(const std::filesystem::path& listingFile)
{
    auto bytes = ReadWholeFile(listingFile);
    if (!bytes) {
        return false;
    }
    shownListing = std::move(*bytes);
    return true;
}

void RecordingPane::RebuildTree(Tree tree, const std::vector<AccountRecord*>& listed)
{
    (tree == Tree::Frequency ? frequencyAccounts : alphabetAccounts) = listed;
}

Store::Store(const Folders& folders, std::ostream& err, std::optional<StoreKey> key)
    : desktop(err), document(DocumentContext{folders, CurrentUserName(), &desktop, &pane})
{
    document.UseStoreKey(std::move(key));
    // The program's start converts a legacy combined file or else refreshes; the
    // tool refreshes after a conversion too, so that every command sees the store
    // as the explorer lists it.
    document.MigrateCombinedFile();
    document.RefreshAccounts();
}

} // namespace lk::cli
