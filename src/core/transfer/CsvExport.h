#pragma once

#include <string>

namespace lk {

class AccountList;

// The CSV export of the list, in the form that browsers and password keepers
// import: UTF-8 without a byte-order mark, the header "name,url,username,
// password,note", then one row for every account that Export writes (not
// hidden, with a name), in list order, every row ended by CR LF. The user name
// and the password are those the form shows: a slot beyond the account's
// SlotCount counts as empty.
std::string CsvExportText(const AccountList& list);

} // namespace lk
