#include "core/document/PrintingCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/document/PlainTextWarning.h"
#include "core/platform/PrivateFile.h"
#include "core/platform/TextConversion.h"
#include "core/transfer/PrintingListing.h"

#include <system_error>

namespace lk {

PrintingOutcome ShowPrintingListing(CReaderDoc& document)
{
    AccountList accounts;
    document.LoadAllAccounts(accounts);
    const std::string text = ToEightBit(PrintingListing(accounts));
    const std::filesystem::path file = document.ListingFilePath();
    // Every password stands in the listing in plain text: owner-only, and gone
    // as soon as the viewer is closed. A listing that cannot be written is
    // shown all the same, as an empty or missing file.
    const bool written = WritePrivateFile(file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    const bool shown = document.Desktop().ShowListing(file);
    std::error_code error;
    std::filesystem::remove(file, error);
    if (!written) {
        return PrintingOutcome::NotWritten;
    }
    return shown ? PrintingOutcome::Shown : PrintingOutcome::NotShown;
}

void CReaderDoc::OnPrintingFormat()
{
    if (!ConfirmPlainTextFile(*this)) {
        return;
    }
    // The handler has no result: a listing that could not be shown has nothing more to say.
    static_cast<void>(ShowPrintingListing(*this));
}

} // namespace lk
