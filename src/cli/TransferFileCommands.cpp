// export and import: the document's transfer commands with the named file as
// the file chooser's answer.
#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "core/document/ExportCommand.h"
#include "core/document/ImportCommand.h"

#include <filesystem>

namespace lk::cli {
namespace {

class TransferFileCommand final : public Command
{
public:
    using Transfer = TransferOutcome (*)(CReaderDoc&);

    TransferFileCommand(std::string_view name, std::string_view synopsis, Transfer transfer)
        : name_(name), synopsis_(synopsis), transfer_(transfer)
    {}

    std::string_view Name() const override { return name_; }
    std::string_view Synopsis() const override { return synopsis_; }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream&) override
    {
        const Arguments arguments(args, {}, {});
        // The program's file chooser always gives a full path.
        store.desktop.chosenFile = std::filesystem::absolute(arguments.Single("file"));
        return transfer_(store.document) == TransferOutcome::Done ? kDone : kRefused;
    }

private:
    std::string_view name_;
    std::string_view synopsis_;
    Transfer transfer_;
};

} // namespace

std::unique_ptr<Command> MakeExportCommand()
{
    return std::make_unique<TransferFileCommand>(
        "export",
        "export FILE\n"
        "    writes the account line of every account but the hidden and the nameless into FILE (UTF-16)",
        ExportAccounts);
}

std::unique_ptr<Command> MakeImportCommand()
{
    return std::make_unique<TransferFileCommand>(
        "import",
        "import FILE\n"
        "    adds every account of FILE (account lines, UTF-16) that the store does not hold yet",
        ImportAccounts);
}

} // namespace lk::cli
