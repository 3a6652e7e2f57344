#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "core/document/AccountSave.h"
#include "core/platform/TextConversion.h"

#include <ostream>

namespace lk::cli {
namespace {

class AddCommand final : public Command
{
public:
    std::string_view Name() const override { return "add"; }
    std::string_view Synopsis() const override
    {
        return "add --name N --url U [--user X] [--id Y] [--password P] [--comment C] [--yes]\n"
               "    saves a new account as the form's Save does; with fewer than two of --user, --id and\n"
               "    --password it asks first, answered Yes only with --yes";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        const Arguments arguments(args, {"--name", "--url", "--user", "--id", "--password", "--comment"}, {"--yes"});
        if (!arguments.Positional().empty()) {
            throw UsageError{"add takes options only"};
        }
        const auto box = [&](std::string_view option) { return FromEightBit(arguments.Value(option).value_or("")); };
        FormBoxes boxes;
        boxes.account = box("--name");
        boxes.url = box("--url");
        boxes.userName = box("--user");
        boxes.accountId = box("--id");
        boxes.password = box("--password");
        boxes.comment = box("--comment");

        store.desktop.answerYes = arguments.Flag("--yes");
        switch (SaveNewAccount(store.document, boxes)) {
        case SaveOutcome::Saved:
            return kDone;
        case SaveOutcome::Incomplete:
            err << "ledgerkeeper-cli: an account needs --name and --url; nothing saved\n";
            return kRefused;
        default:
            return kRefused;
        }
    }
};

} // namespace

std::unique_ptr<Command> MakeAddCommand()
{
    return std::make_unique<AddCommand>();
}

} // namespace lk::cli
