#pragma once

#include <vector>

namespace lk {

class AccountList;
class AccountRecord;

// Whether the explorer lists a record: not hidden, a slot in use, and a name.
bool IsListed(const AccountRecord& record);

// The entries of `list` that the explorer lists, in list order.
std::vector<AccountRecord*> ListedAccounts(const AccountList& list);

} // namespace lk
