#pragma once

#include "transfer/TransferCommand.h"

#include <string>

namespace lk {

class AccountList;
class CReaderDoc;

// The text of an export file: the account line of every account of the list
// that is transferred (not hidden, with a name), in list order. SlotCount does
// not matter: accounts that the explorer leaves out are exported too.
std::u16string ExportText(const AccountList& list);

// The Export command: the user chooses a file, the document's list as it stands
// is written into it, and the list is refreshed and the form reset. Choosing the
// data folder itself is refused before anything else happens.
TransferOutcome ExportAccounts(CReaderDoc& document);

} // namespace lk
