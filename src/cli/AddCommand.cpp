#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/PasswordInput.h"
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
        return "add --name N --url U [--user X] [--id Y] [--password-prompt | --password-stdin | --password P]\n"
               "    [--comment C] [--yes]\n"
               "    saves a new account as the form's Save does; with fewer than two login fields (user name,\n"
               "    account ID, password) it asks first, answered Yes only with --yes. --password-prompt reads\n"
               "    the password from the terminal without echo, --password-stdin the first line of standard\n"
               "    input; --password P is visible to other processes and stays in the shell's history";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        const Arguments arguments(args, {"--name", "--url", "--user", "--id", "--password", "--comment"},
                                  {"--yes", "--password-prompt", "--password-stdin"});
        if (!arguments.Positional().empty()) {
            throw UsageError{"add takes options only"};
        }
        if (arguments.Value("--password") &&
            (arguments.Flag("--password-prompt") || arguments.Flag("--password-stdin"))) {
            throw UsageError{"give the password one way only"};
        }
        const ChosenPassword chosen = ReadChosenPassword(arguments, *store.input);
        if (chosen.failed) {
            err << "ledgerkeeper-cli: no password could be read; nothing saved\n";
            return kRefused;
        }
        const auto box = [&](std::string_view option) { return FromEightBit(arguments.Value(option).value_or("")); };
        FormBoxes boxes;
        boxes.account = box("--name");
        boxes.url = box("--url");
        boxes.userName = box("--user");
        boxes.accountId = box("--id");
        boxes.password = chosen.given ? FromEightBit(chosen.password) : box("--password");
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
