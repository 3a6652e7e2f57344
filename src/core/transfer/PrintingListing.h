#pragma once

#include <string>

namespace lk {

class AccountList;

// The printing listing of the list, as UTF-16 with carriage return and line
// feed line breaks: a head, one block for every transferred account in list
// order (name, URL, one line for each slot in use but at least one and at most
// four, the note), and a tail.
std::u16string PrintingListing(const AccountList& list);

} // namespace lk
