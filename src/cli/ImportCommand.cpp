#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "transfer/AccountImport.h"

#include <filesystem>

namespace lk::cli {
namespace {

class ImportCommand final : public Command
{
public:
    std::string_view Name() const override { return "import"; }
    std::string_view Synopsis() const override
    {
        return "import FILE\n"
               "    adds every account of FILE (account lines, UTF-16) that the store does not hold yet";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream&) override
    {
        const Arguments arguments(args, {}, {});
        // The program's file chooser always gives a full path.
        store.desktop.chosenFile = std::filesystem::absolute(arguments.Single("file"));
        return ImportAccounts(store.document) == TransferOutcome::Done ? kDone : kRefused;
    }
};

} // namespace

std::unique_ptr<Command> MakeImportCommand()
{
    return std::make_unique<ImportCommand>();
}

} // namespace lk::cli
