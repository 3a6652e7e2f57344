#pragma once

#include "core/store/AccountRecord.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace lk {

// The document's ordered list of accounts. It owns every record it holds; the
// form and the explorer only refer to them, until the list is next emptied.
class AccountList
{
public:
    AccountList() = default;
    AccountList(const AccountList&) = delete;
    AccountList& operator=(const AccountList&) = delete;

    // Appends; false (the record is then destroyed) when the list cannot grow.
    bool Add(std::unique_ptr<AccountRecord> record);
    // The record at `index`, or null when the index is out of range.
    AccountRecord* GetAt(std::ptrdiff_t index) const;
    std::ptrdiff_t GetCount() const { return static_cast<std::ptrdiff_t>(records_.size()); }
    // Inserts before `index`; an index past the end appends.
    void InsertAt(std::ptrdiff_t index, std::unique_ptr<AccountRecord> record);
    // Takes the entry at `index` out of the list and hands it to the caller;
    // null when the index is out of range.
    std::unique_ptr<AccountRecord> RemoveAt(std::ptrdiff_t index);
    // Destroys every record.
    void Clear();
    // The index of this very record, or -1.
    std::ptrdiff_t IndexOf(const AccountRecord* record) const;
    // The first index whose AccountName equals `name` exactly, or -1.
    std::ptrdiff_t FindByName(std::u16string_view name) const;

    // The two ordering passes: stable over the entries that are not hidden, with
    // hidden entries where the insertion pass of the original program leaves them.
    void SortByName();
    void SortByFrequency();

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

private:
    std::vector<std::unique_ptr<AccountRecord>> records_;
};

} // namespace lk
