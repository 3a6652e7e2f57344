#pragma once

#include "core/document/TransferCommand.h"

namespace lk {

class CReaderDoc;

// The Export command: the user chooses a file, the document's list as it stands
// is written into it, and the list is refreshed and the form reset. Choosing the
// data folder itself is refused before anything else happens.
[[nodiscard]] TransferOutcome ExportAccounts(CReaderDoc& document);

} // namespace lk
