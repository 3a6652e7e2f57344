#pragma once

#include "core/document/TransferCommand.h"
#include "core/transfer/CsvImport.h"

#include <cstdint>
#include <span>

namespace lk {

class CReaderDoc;

// Import's way with a CSV file, in two steps around the store's lock. First,
// with the list just loaded afresh: every row's account that the store does not
// hold yet is added to the list and gets an account file.
[[nodiscard]] CsvImportCounts MergeCsvFile(CReaderDoc& document, std::span<const std::uint8_t> bytes);

// Then, once the store is free again: the user is told what was imported,
// already there, skipped and cut, and after that whether an account could not be
// saved. Failed in that case, Done otherwise.
[[nodiscard]] TransferOutcome ReportCsvImport(CReaderDoc& document, const CsvImportCounts& counts);

} // namespace lk
