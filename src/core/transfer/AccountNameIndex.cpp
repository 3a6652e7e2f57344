#include "core/transfer/AccountNameIndex.h"

#include "core/store/AccountList.h"

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
    return it == index_.end() ? -1 : it->second;
}

void AccountNameIndex::Appended(const AccountRecord& record, std::ptrdiff_t index)
{
    index_.try_emplace(record.AccountName.str(), index);
}

bool AccountNameIndex::IsHeld(const AccountList& list, const AccountRecord& record) const
{
    const AccountRecord* first = list.GetAt(Find(record.AccountName.view()));
    return first != nullptr && IsSameAccount(*first, record);
}

} // namespace lk
