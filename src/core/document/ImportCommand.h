#pragma once

#include "core/document/TransferCommand.h"

namespace lk {

class CReaderDoc;

// The Import command: the user chooses a file, the list is loaded afresh, every
// account of the file that the store does not hold yet gets an account file of
// its own, and the list is refreshed and the form reset. Choosing the data folder
// itself is refused before anything else happens. Failed also when an account
// could not be saved (the error has been shown once; the others were saved).
[[nodiscard]] TransferOutcome ImportAccounts(CReaderDoc& document);

} // namespace lk
