#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/Store.h"
#include "core/document/PrintingCommand.h"
#include "core/transfer/PrintingListing.h"

#include <ostream>

namespace lk::cli {
namespace {

constexpr std::string_view kListingNotWritten =
    "ledgerkeeper-cli: the listing file could not be written; nothing printed\n";
constexpr std::string_view kListingNotRead = "ledgerkeeper-cli: the listing file could not be read; nothing printed\n";
constexpr std::string_view kListingNotPrinted =
    "ledgerkeeper-cli: the listing could not be written to standard output\n";

class PrintCommand final : public Command
{
public:
    std::string_view Name() const override { return "print"; }
    std::string_view Synopsis() const override
    {
        return "print\n"
               "    the printing-format listing of every account (UTF-8, CR LF) on standard output";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        const Arguments arguments(args, {}, {});
        if (!arguments.Positional().empty()) {
            throw UsageError{"print takes no arguments"};
        }
        // The listing file is shown by reading its bytes, and is gone once this
        // returns. A listing that could not be written whole (a full disk, a
        // folder without write access) is never passed off as the store's.
        switch (ShowPrintingListing(store.document)) {
        case PrintingOutcome::Shown:
            break;
        case PrintingOutcome::NotWritten:
            err << kListingNotWritten;
            return kRefused;
        case PrintingOutcome::NotShown:
            err << kListingNotRead;
            return kRefused;
        }
        const std::vector<std::uint8_t>& listing = store.desktop.shownListing;
        out.write(reinterpret_cast<const char*>(listing.data()), static_cast<std::streamsize>(listing.size()));
        out.flush();
        if (!out) {
            err << kListingNotPrinted;
            return kRefused;
        }
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> MakePrintCommand()
{
    return std::make_unique<PrintCommand>();
}

} // namespace lk::cli
