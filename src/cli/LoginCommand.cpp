#include "cli/AccountLookup.h"
#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "core/document/AccountLogin.h"
#include "core/platform/TextConversion.h"

#include <ostream>

namespace lk::cli {
namespace {

class LoginCommand final : public Command
{
public:
    std::string_view Name() const override { return "login"; }
    std::string_view Synopsis() const override
    {
        return "login NAME [--no-open]\n"
               "    counts a use of the first account named NAME, saves it, prints its login address and\n"
               "    opens it in the browser (web addresses only) unless --no-open";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        const Arguments arguments(args, {}, {"--no-open"});
        const std::string& name = arguments.Single("account name");
        AccountRecord* record = RequireAccountNamed(store, name, err);
        if (record == nullptr) {
            return kRefused;
        }
        store.desktop.openAddresses = !arguments.Flag("--no-open");
        const LoginOutcome outcome = LoginAccount(store.document, record, ShownBoxes(*record));
        out << ToEightBit(LoginAddress(*record)) << '\n';
        return outcome == LoginOutcome::Launched ? kDone : kRefused;
    }
};

} // namespace

std::unique_ptr<Command> MakeLoginCommand()
{
    return std::make_unique<LoginCommand>();
}

} // namespace lk::cli
