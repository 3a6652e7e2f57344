#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lk {

class AccountList;
class AccountRecord;

// The index of the first account of each name in a list, kept up to date as
// an import appends accounts, so that a large import does not search the whole
// list once for every account it reads.
class AccountNameIndex
{
public:
    explicit AccountNameIndex(const AccountList& list);

    // The first index of that name, or -1.
    std::ptrdiff_t Find(std::u16string_view name) const;

    // To be called once `record` is in the list at `index`.
    void Appended(const AccountRecord& record, std::ptrdiff_t index);

    // The duplicate test of account lines: the list's first account of the
    // record's name exists and IsSameAccount holds for the two.
    bool IsHeld(const AccountList& list, const AccountRecord& record) const;
    // The duplicate test of other programs' files: any account of the record's
    // name is the same. Their names repeat (two sources each with a "Mail"),
    // and a test of the first alone would add such an account again at every
    // import of the same file.
    bool IsHeldByAny(const AccountList& list, const AccountRecord& record) const;

private:
    // The indexes of each name's accounts, the first first.
    std::unordered_map<std::u16string, std::vector<std::ptrdiff_t>> index_;
};

} // namespace lk
