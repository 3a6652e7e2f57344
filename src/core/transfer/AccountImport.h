#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace lk {

class AccountList;
class AccountRecord;

// Walks the lines of an import text (each up to and including its line feed;
// text after the last line feed is not read) and appends to `list` every account
// it does not hold yet, calling `save` with each one once it is in the list.
// Skipped: lines that do not parse, hidden accounts, accounts without a name,
// and accounts that are the same as the first account of the list with that
// name, an account added by an earlier line included. Returns how many were added.
std::size_t MergeAccountLines(std::u16string_view text, AccountList& list,
                              const std::function<void(AccountRecord&)>& save);

} // namespace lk
