#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Store.h"
#include "core/platform/TextConversion.h"

#include <ostream>
#include <string>

namespace lk::cli {
namespace {

class ListCommand final : public Command
{
public:
    std::string_view Name() const override { return "list"; }
    std::string_view Synopsis() const override
    {
        return "list [--order frequency|alphabet] [--json]\n"
               "    the account names as the Frequency (default) or the Alphabet tab lists them; with --json\n"
               "    every listed account's fields (no password) and use count as a JSON array";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream&) override
    {
        const Arguments arguments(args, {"--order"}, {"--json"});
        if (!arguments.Positional().empty()) {
            throw UsageError{"list takes no arguments"};
        }
        const std::string order = arguments.Value("--order").value_or("frequency");
        if (order != "frequency" && order != "alphabet") {
            throw UsageError{"--order is frequency or alphabet"};
        }
        if (arguments.Flag("--json")) {
            WriteAccountsJson(out, order == "frequency" ? store.pane.frequencyAccounts : store.pane.alphabetAccounts);
            return kDone;
        }
        // One line at a time through one buffer: the listing of a large store is
        // never held whole.
        std::string line;
        for (const AccountRecord* record :
             order == "frequency" ? store.pane.frequencyAccounts : store.pane.alphabetAccounts) {
            ToEightBit(record->AccountName.view(), line);
            line.push_back('\n');
            out << line;
        }
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> MakeListCommand()
{
    return std::make_unique<ListCommand>();
}

} // namespace lk::cli
