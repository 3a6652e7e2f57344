// export and import: the document's transfer commands with the named file as
// the file chooser's answer; export --csv writes the CSV export instead.
#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "core/document/CsvExportCommand.h"
#include "core/document/ExportCommand.h"
#include "core/document/ImportCommand.h"

#include <filesystem>
#include <set>

namespace lk::cli {
namespace {

class TransferFileCommand final : public Command
{
public:
    using Transfer = TransferOutcome (*)(CReaderDoc&);

    // `csvTransfer`, when given, is what the command does with --csv.
    TransferFileCommand(std::string_view name, std::string_view synopsis, Transfer transfer,
                        Transfer csvTransfer = nullptr)
        : name_(name), synopsis_(synopsis), transfer_(transfer), csvTransfer_(csvTransfer)
    {}

    std::string_view Name() const override { return name_; }
    std::string_view Synopsis() const override { return synopsis_; }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream&) override
    {
        std::set<std::string, std::less<>> flags;
        if (csvTransfer_ != nullptr) {
            flags.insert("--csv");
        }
        const Arguments arguments(args, {}, flags);
        // The program's file chooser always gives a full path.
        store.desktop.chosenFile = std::filesystem::absolute(arguments.Single("file"));
        const Transfer transfer = arguments.Flag("--csv") ? csvTransfer_ : transfer_;
        return transfer(store.document) == TransferOutcome::Done ? kDone : kRefused;
    }

private:
    std::string_view name_;
    std::string_view synopsis_;
    Transfer transfer_;
    Transfer csvTransfer_;
};

} // namespace

std::unique_ptr<Command> MakeExportCommand()
{
    return std::make_unique<TransferFileCommand>(
        "export",
        "export [--csv] FILE\n"
        "    writes the account line of every account but the hidden and the nameless into FILE (UTF-16);\n"
        "    with --csv the same accounts as CSV (UTF-8, name,url,username,password,note)",
        ExportAccounts, ExportCsvAccounts);
}

std::unique_ptr<Command> MakeImportCommand()
{
    return std::make_unique<TransferFileCommand>(
        "import",
        "import FILE\n"
        "    adds every account of FILE (account lines, UTF-16, or a CSV export of a browser or\n"
        "    password keeper, UTF-8 with a header row) that the store does not hold yet",
        ImportAccounts);
}

} // namespace lk::cli
