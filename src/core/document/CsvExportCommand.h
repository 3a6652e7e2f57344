#pragma once

#include "core/document/TransferCommand.h"

namespace lk {

class CReaderDoc;

// The file chooser of Export CSV: CSV files first, then all files.
DesktopPort::FileDialog CsvExportFileDialog();

// The Export CSV command: the user chooses a file, and every account that Export
// writes goes into it as a row of CSV, in the same order; then the list is
// refreshed and the form reset, as after Export. The file holds every password:
// it is readable by its owner only and replaced whole, so that a crash or a full
// disk never leaves half a file or destroys the previous one. Choosing the data
// folder itself is refused as Export refuses it.
[[nodiscard]] TransferOutcome ExportCsvAccounts(CReaderDoc& document);

} // namespace lk
