#include "cli/AccountLookup.h"
#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"

#include <ostream>

namespace lk::cli {
namespace {

class DeleteCommand final : public Command
{
public:
    std::string_view Name() const override { return "delete"; }
    std::string_view Synopsis() const override
    {
        return "delete NAME [--yes]\n"
               "    deletes the first account named NAME; asks first, answered Yes only with --yes";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        const Arguments arguments(args, {}, {"--yes"});
        const std::string& name = arguments.Single("account name");
        AccountRecord* record = RequireAccountNamed(store, name, err);
        if (record == nullptr) {
            return kRefused;
        }
        store.desktop.answerYes = arguments.Flag("--yes");
        return store.document.DeleteAccount(record) ? kDone : kRefused;
    }
};

} // namespace

std::unique_ptr<Command> MakeDeleteCommand()
{
    return std::make_unique<DeleteCommand>();
}

} // namespace lk::cli
