#pragma once

#include <string>

namespace lk {

class AccountList;

// The text of an export file: the account line of every account of the list
// that is transferred (not hidden, with a name), in list order. SlotCount does
// not matter: accounts that the explorer leaves out are exported too.
std::u16string ExportText(const AccountList& list);

} // namespace lk
