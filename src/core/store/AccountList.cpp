#include "core/store/AccountList.h"

#include <algorithm>
#include <new>

namespace lk {

bool AccountList::Add(std::unique_ptr<AccountRecord> record)
{
    try {
        records_.push_back(std::move(record));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

AccountRecord* AccountList::GetAt(std::ptrdiff_t index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return records_[static_cast<std::size_t>(index)].get();
}

void AccountList::InsertAt(std::ptrdiff_t index, std::unique_ptr<AccountRecord> record)
{
    index = std::clamp<std::ptrdiff_t>(index, 0, GetCount());
    records_.insert(records_.begin() + index, std::move(record));
}

std::unique_ptr<AccountRecord> AccountList::RemoveAt(std::ptrdiff_t index)
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    auto record = std::move(records_[static_cast<std::size_t>(index)]);
    records_.erase(records_.begin() + index);
    return record;
}

void AccountList::Clear()
{
    records_.clear();
}

std::ptrdiff_t AccountList::IndexOf(const AccountRecord* record) const
{
    const auto it = std::find_if(records_.begin(), records_.end(), [&](const auto& r) { return r.get() == record; });
    return it == records_.end() ? -1 : it - records_.begin();
}

std::ptrdiff_t AccountList::FindByName(std::u16string_view name) const
{
    const auto it = std::find_if(records_.begin(), records_.end(),
                                 [&](const auto& r) { return r && r->AccountName.view() == name; });
    return it == records_.end() ? -1 : it - records_.begin();
}

} // namespace lk
