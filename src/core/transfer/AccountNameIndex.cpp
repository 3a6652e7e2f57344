#include "core/transfer/AccountNameIndex.h"

#include "core/store/AccountList.h"

#include <algorithm>

namespace lk {

AccountNameIndex::AccountNameIndex(const AccountList& list)
{
    for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
        if (const AccountRecord* record = list.GetAt(i)) {
            Appended(*record, i);
        }
    }
}

std::ptrdiff_t AccountNameIndex::Find(std::u16string_view name) const
{
    const auto it = index_.find(std::u16string(name));
    return it == index_.end() ? -1 : it->second.front();
}

void AccountNameIndex::Appended(const AccountRecord& record, std::ptrdiff_t index)
{
    index_[record.AccountName.str()].push_back(index);
}

bool AccountNameIndex::IsHeld(const AccountList& list, const AccountRecord& record) const
{
    const AccountRecord* first = list.GetAt(Find(record.AccountName.view()));
    return first != nullptr && IsSameAccount(*first, record);
}

bool AccountNameIndex::IsHeldByAny(const AccountList& list, const AccountRecord& record) const
{
    const auto it = index_.find(record.AccountName.str());
    if (it == index_.end()) {
        return false;
    }
    return std::any_of(it->second.begin(), it->second.end(), [&](std::ptrdiff_t index) {
        const AccountRecord* held = list.GetAt(index);
        return held != nullptr && IsSameAccount(*held, record);
    });
}

} // namespace lk
