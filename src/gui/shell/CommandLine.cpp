#include "gui/shell/CommandLine.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>

namespace lk {
namespace {

constexpr const char* kHelpText =
    "usage: ledgerkeeper [--version | --help] [Qt options]\n"
    "\n"
    "Keeps your web and login accounts in the window's Account Explorer and account form.\n"
    "\n"
    "  --version   prints the program's version and ends\n"
    "  --help      prints this text and ends\n"
    "\n"
    "environment:\n"
    "  LEDGERKEEPER_HOME        the product folder (default: $XDG_DATA_HOME/LedgerKeeper,\n"
    "                           else ~/.local/share/LedgerKeeper)\n"
    "  LEDGERKEEPER_UPDATE_URL  where the update check looks; \"off\" turns it off\n"
    "\n"
    "The command-line tool ledgerkeeper-cli works on the same accounts.\n";

bool Asks(const std::vector<std::string>& args, std::initializer_list<const char*> spellings)
{
    return std::any_of(args.begin(), args.end(), [&](const std::string& arg) {
        return std::any_of(spellings.begin(), spellings.end(), [&](const char* spelling) { return arg == spelling; });
    });
}

} // namespace

StartRequest AnswerCommandLine(const std::vector<std::string>& args, std::ostream& out)
{
    if (Asks(args, {"--help", "-h"})) {
        out << kHelpText;
        return StartRequest::Answered;
    }
    if (Asks(args, {"--version"})) {
        out << "LedgerKeeper " LEDGERKEEPER_VERSION "\n";
        return StartRequest::Answered;
    }
    return StartRequest::OpenWindow;
}

} // namespace lk
