#include "core/explorer/ListingRule.h"

#include "core/store/AccountList.h"

namespace lk {

bool IsListed(const AccountRecord& record)
{
    return !record.IsHidden() && record.SlotCount != 0 && !record.AccountName.empty();
}

std::vector<AccountRecord*> ListedAccounts(const AccountList& list)
{
    std::vector<AccountRecord*> listed;
    for (const auto& record : list) {
        if (record && IsListed(*record)) {
            listed.push_back(record.get());
        }
    }
    return listed;
}

} // namespace lk
