#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/MasterPassword.h"
#include "cli/Store.h"
#include "core/document/StoreProtection.h"
#include "core/protect/ProtectionKeyFile.h"

#include <ostream>

namespace lk::cli {
namespace {

// What each outcome tells the user; the status of the command.
int Report(ProtectionOutcome outcome, std::ostream& err)
{
    switch (outcome) {
    case ProtectionOutcome::Done:
        return kDone;
    case ProtectionOutcome::WrongPassword:
        err << kWrongMasterPassword << '\n';
        break;
    case ProtectionOutcome::DamagedKeyFile:
        err << "ledgerkeeper-cli: the key file " << ProtectionKeyFile::kFileName << " is damaged; nothing changed\n";
        break;
    case ProtectionOutcome::NotProtected:
        err << "ledgerkeeper-cli: the store is not protected\n";
        break;
    case ProtectionOutcome::Failed:
        err << "ledgerkeeper-cli: not every file could be written; the store loads as it is, and running the "
               "command again finishes it\n";
        break;
    }
    return kRefused;
}

void TakeNoArguments(const std::vector<std::string>& args, std::string_view name)
{
    if (!args.empty()) {
        throw UsageError{std::string(name) + " takes no arguments"};
    }
}

class ProtectCommand final : public Command
{
public:
    std::string_view Name() const override { return "protect"; }
    std::string_view Synopsis() const override
    {
        return "protect\n"
               "    encrypts every account file under a new master password (asked twice; one line with\n"
               "    --master-stdin); the key file Protection.key comes first. Run on a protected store, it asks\n"
               "    for the master password and protects what is still scrambled";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        TakeNoArguments(args, Name());
        const bool resume = store.document.IsProtectedStore();
        const auto password =
            resume ? ReadMasterPassword(store.master, "Master password: ") : ReadNewMasterPassword(store.master, err);
        if (!password) {
            if (resume) {
                err << "ledgerkeeper-cli: no master password was given; nothing changed\n";
            }
            return kRefused;
        }
        return Report(ProtectStore(store.document, *password, store.newKeyCost()), err);
    }
};

class ChangeMasterCommand final : public Command
{
public:
    std::string_view Name() const override { return "change-master"; }
    std::string_view Synopsis() const override
    {
        return "change-master\n"
               "    asks for the current master password, then the new one; only the key file changes";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        TakeNoArguments(args, Name());
        if (!store.document.IsProtectedStore()) {
            return Report(ProtectionOutcome::NotProtected, err);
        }
        const auto current = ReadMasterPassword(store.master, "Current master password: ");
        if (!current) {
            err << "ledgerkeeper-cli: no master password was given; nothing changed\n";
            return kRefused;
        }
        const auto replacement = ReadNewMasterPassword(store.master, err);
        if (!replacement) {
            return kRefused;
        }
        return Report(
            ChangeMasterPassword(store.document.GetFolders().data, *current, *replacement, store.newKeyCost()), err);
    }
};

class UnprotectCommand final : public Command
{
public:
    std::string_view Name() const override { return "unprotect"; }
    std::string_view Synopsis() const override
    {
        return "unprotect\n"
               "    asks for the master password and writes every account file scrambled again, as a store\n"
               "    without protection writes it; the key file goes last";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        TakeNoArguments(args, Name());
        if (!store.document.IsProtectedStore()) {
            return Report(ProtectionOutcome::NotProtected, err);
        }
        const auto password = ReadMasterPassword(store.master, "Master password: ");
        if (!password) {
            err << "ledgerkeeper-cli: no master password was given; nothing changed\n";
            return kRefused;
        }
        return Report(UnprotectStore(store.document, *password), err);
    }
};

} // namespace

bool NeedsUnlockedStore(std::string_view command)
{
    return command != "protect" && command != "change-master" && command != "unprotect";
}

std::unique_ptr<Command> MakeProtectCommand()
{
    return std::make_unique<ProtectCommand>();
}

std::unique_ptr<Command> MakeChangeMasterCommand()
{
    return std::make_unique<ChangeMasterCommand>();
}

std::unique_ptr<Command> MakeUnprotectCommand()
{
    return std::make_unique<UnprotectCommand>();
}

} // namespace lk::cli
