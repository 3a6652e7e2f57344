#include "cli/AccountLookup.h"
#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Store.h"
#include "core/editor/FormBoxes.h"
#include "core/platform/TextConversion.h"

#include <ostream>

namespace lk::cli {
namespace {

class ShowCommand final : public Command
{
public:
    std::string_view Name() const override { return "show"; }
    std::string_view Synopsis() const override
    {
        return "show NAME [--password] [--json]\n"
               "    the first account named NAME as the form shows it; the password masked unless --password;\n"
               "    with --json as one JSON object, holding the password only with --password";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        const Arguments arguments(args, {}, {"--password", "--json"});
        const std::string& name = arguments.Single("account name");
        const AccountRecord* record = RequireAccountNamed(store, name, err);
        if (record == nullptr) {
            return kRefused;
        }
        if (arguments.Flag("--json")) {
            WriteAccountJson(out, *record, arguments.Flag("--password"));
            out << '\n';
            return kDone;
        }
        const FormBoxes boxes = ShownBoxes(*record);
        const bool masked = !boxes.password.empty() && !arguments.Flag("--password");
        out << "Account: " << ToEightBit(boxes.account) << '\n'
            << "URL: " << ToEightBit(boxes.url) << '\n'
            << "User Name: " << ToEightBit(boxes.userName) << '\n'
            << "Account ID: " << ToEightBit(boxes.accountId) << '\n'
            << "Password: " << (masked ? std::string("********") : ToEightBit(boxes.password)) << '\n'
            << "Comment: " << ToEightBit(record->Comment.view()) << '\n'
            << "Uses: " << record->UseCount << '\n';
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> MakeShowCommand()
{
    return std::make_unique<ShowCommand>();
}

} // namespace lk::cli
