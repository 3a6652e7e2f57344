#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "core/platform/TextConversion.h"

#include <ostream>

namespace lk::cli {
namespace {

class ListCommand final : public Command
{
public:
    std::string_view Name() const override { return "list"; }
    std::string_view Synopsis() const override
    {
        return "list [--order frequency|alphabet]\n"
               "    the account names as the Frequency (default) or the Alphabet tab lists them";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream&) override
    {
        const Arguments arguments(args, {"--order"}, {});
        if (!arguments.Positional().empty()) {
            throw UsageError{"list takes no arguments"};
        }
        const std::string order = arguments.Value("--order").value_or("frequency");
        if (order != "frequency" && order != "alphabet") {
            throw UsageError{"--order is frequency or alphabet"};
        }
        for (const std::u16string& name : order == "frequency" ? store.pane.frequency : store.pane.alphabet) {
            out << ToEightBit(name) << '\n';
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
