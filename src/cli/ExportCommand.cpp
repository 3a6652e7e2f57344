#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "transfer/AccountExport.h"

#include <filesystem>

namespace lk::cli {
namespace {

class ExportCommand final : public Command
{
public:
    std::string_view Name() const override { return "export"; }
    std::string_view Synopsis() const override
    {
        return "export FILE\n"
               "    writes the account line of every account but the hidden and the nameless into FILE (UTF-16)";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream&) override
    {
        const Arguments arguments(args, {}, {});
        // The program's file chooser always gives a full path.
        store.desktop.chosenFile = std::filesystem::absolute(arguments.Single("file"));
        return ExportAccounts(store.document) == TransferOutcome::Done ? kDone : kRefused;
    }
};

} // namespace

std::unique_ptr<Command> MakeExportCommand()
{
    return std::make_unique<ExportCommand>();
}

} // namespace lk::cli
