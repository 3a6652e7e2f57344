#include "core/document/CsvImportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/ports/Captions.h"

#include <string_view>

namespace lk {

CsvImportCounts MergeCsvFile(CReaderDoc& document, std::span<const std::uint8_t> bytes)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return MergeCsvAccounts(text, document.Accounts(), [&document](std::span<AccountRecord* const> added) {
        return document.SaveAccounts(added);
    });
}

TransferOutcome ReportCsvImport(CReaderDoc& document, const CsvImportCounts& counts)
{
    DesktopPort& desktop = document.Desktop();
    desktop.ShowMessage(CsvImportSummary(counts), kImportSummaryCaption, DesktopPort::Owner::None);
    if (counts.notSaved != 0) {
        desktop.ShowMessage(kImportNotSavedMessage, kErrorCaption, DesktopPort::Owner::None);
        return TransferOutcome::Failed;
    }
    return TransferOutcome::Done;
}

} // namespace lk
