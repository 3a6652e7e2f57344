// ledgerkeeper-cli: the account store on the command line. This file only
// parses the general options and dispatches to the commands.
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/MasterPassword.h"
#include "cli/Store.h"
#include "core/platform/Folders.h"
#include "core/platform/MemoryTuning.h"

#include <iostream>
#include <sstream>

namespace {

std::string UsageText(const std::vector<std::unique_ptr<lk::cli::Command>>& commands)
{
    std::ostringstream text;
    text << "usage: ledgerkeeper-cli [--home DIR] [--master-stdin] COMMAND [ARGS]\n"
            "       ledgerkeeper-cli --version | --help\n\n"
            "  --home DIR   the product folder (default: LEDGERKEEPER_HOME, else the user's data folder);\n"
            "               the accounts live in DIR/Account\n"
            "  --master-stdin  master passwords come from standard input, one line per password asked,\n"
            "               in the order asked (default: asked at the terminal without echo); a protected\n"
            "               store asks for its master password before every command\n"
            "  --version    prints the version and ends\n"
            "  --help       prints this text and ends\n\n"
            "commands:\n";
    for (const auto& command : commands) {
        text << "  " << command->Synopsis() << '\n';
    }
    text << "\nexit status: 0 done, 1 refused, not found or failed (the reason on standard error), 2 wrong usage\n";
    return text.str();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace lk::cli;
    lk::KeepFreedMemoryForReuse();
    const auto commands = AllCommands();
    std::vector<std::string> args(argv + 1, argv + argc);

    lk::Folders folders = lk::Folders::ForThisUser();
    std::size_t next = 0;
    if (next < args.size() && (args[next] == "--help" || args[next] == "-h")) {
        std::cout << UsageText(commands);
        return kDone;
    }
    if (next < args.size() && args[next] == "--version") {
        std::cout << "LedgerKeeper " LEDGERKEEPER_VERSION "\n";
        return kDone;
    }
    MasterPasswordSource master{false, &std::cin};
    while (next < args.size() && (args[next] == "--home" || args[next] == "--master-stdin")) {
        if (args[next] == "--master-stdin") {
            master.fromInput = true;
            ++next;
            continue;
        }
        if (next + 1 >= args.size()) {
            std::cerr << "ledgerkeeper-cli: --home needs a folder\n" << UsageText(commands);
            return kUsage;
        }
        folders = lk::Folders::Under(args[next + 1]);
        next += 2;
    }
    if (next >= args.size()) {
        std::cerr << UsageText(commands);
        return kUsage;
    }
    const std::string& name = args[next];
    Command* command = nullptr;
    for (const auto& candidate : commands) {
        if (candidate->Name() == name) {
            command = candidate.get();
        }
    }
    if (command == nullptr) {
        std::cerr << "ledgerkeeper-cli: unknown command " << name << "\n" << UsageText(commands);
        return kUsage;
    }
    const std::vector<std::string> commandArgs(args.begin() + static_cast<std::ptrdiff_t>(next) + 1, args.end());
    try {
        Unlocking unlocking;
        if (NeedsUnlockedStore(command->Name())) {
            unlocking = UnlockForCommand(folders, master, std::cerr);
            if (unlocking.status != kDone) {
                return unlocking.status;
            }
        }
        Store store(folders, std::cerr, std::move(unlocking.key));
        store.master = master;
        return command->Execute(store, commandArgs, std::cout, std::cerr);
    } catch (const UsageError& error) {
        std::cerr << "ledgerkeeper-cli: " << error.message << "\n" << UsageText(commands);
        return kUsage;
    }
}
