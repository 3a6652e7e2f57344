#pragma once

#include "cli/MasterPassword.h"
#include "core/document/CReaderDoc.h"
#include "core/ports/DesktopPort.h"
#include "core/ports/ExplorerPort.h"
#include "core/protect/KeyDerivationCost.h"

#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace lk::cli {

// The desktop of the command-line tool: questions and messages go to standard
// error, and a question is answered Yes only when the command was told so.
class TerminalDesktop final : public DesktopPort
{
public:
    explicit TerminalDesktop(std::ostream& err) : err_(err) {}

    bool answerYes = false;
    // The file that a command's file chooser returns.
    std::optional<std::filesystem::path> chosenFile;
    // Whether OpenWebAddress really opens; the address is handed to xdg-open.
    bool openAddresses = true;
    // The listing file as ShowListing saw it.
    std::vector<std::uint8_t> shownListing;

    bool AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner) override;
    void ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialog& dialog) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialog& dialog) override;
    bool OpenWebAddress(std::string_view address) override;
    bool ShowListing(const std::filesystem::path& listingFile) override;
    bool OpenLocalFile(const std::filesystem::path&) override { return false; }

private:
    std::ostream& err_;
};

// The pane of the command-line tool: it keeps the accounts the two trees would
// show, in their order; valid until the document's list is next emptied. The
// names are read from the accounts themselves rather than copied: a large store
// would otherwise hold every name twice more.
class RecordingPane final : public ExplorerPort
{
public:
    std::vector<AccountRecord*> frequencyAccounts;
    std::vector<AccountRecord*> alphabetAccounts;

    void ClearSelection() override {}

protected:
    void RebuildTree(Tree tree, const std::vector<AccountRecord*>& listed) override;
};

// The store as every command opens it, as the program's start does: folders
// made, a legacy combined file converted, then the accounts refreshed. A
// protected store is given its key first, so that both read its files.
class Store
{
public:
    Store(const Folders& folders, std::ostream& err, std::optional<StoreKey> key = std::nullopt);

    TerminalDesktop desktop;
    RecordingPane pane;
    CReaderDoc document;
    // Where --password-stdin reads from.
    std::istream* input = &std::cin;
    // Where the protection commands read master passwords from.
    MasterPasswordSource master{false, &std::cin};
    // The cost of a new key file: tuned to this machine (tests choose a cheap one).
    std::function<KeyDerivationCost()> newKeyCost = [] { return KeyDerivationCost::Tuned(); };
};

} // namespace lk::cli
