#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Store.h"
#include "core/explorer/AccountFilter.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountRecord.h"

#include <ostream>

namespace lk::cli {
namespace {

class SearchCommand final : public Command
{
public:
    std::string_view Name() const override { return "search"; }
    std::string_view Synopsis() const override
    {
        return "search TEXT [--json]\n"
               "    the names of the listed accounts whose name, URL or user name contains TEXT, case ignored,\n"
               "    in Frequency order (as the explorer's Find box shows them); exit 0 also when none match";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream&) override
    {
        const Arguments arguments(args, {}, {"--json"});
        const AccountFilter filter(FromEightBit(arguments.Single("search text")));
        const std::vector<AccountRecord*> matching = filter.Apply(store.pane.frequencyAccounts);
        if (arguments.Flag("--json")) {
            WriteAccountsJson(out, matching);
            return kDone;
        }
        for (const AccountRecord* record : matching) {
            out << ToEightBit(record->AccountName.view()) << '\n';
        }
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> MakeSearchCommand()
{
    return std::make_unique<SearchCommand>();
}

} // namespace lk::cli
