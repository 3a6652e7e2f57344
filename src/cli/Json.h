#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace lk {
class AccountRecord;
}

namespace lk::cli {

// `text` (UTF-8) as a JSON string, quotes included: the quote, the backslash and
// every control character escaped, everything else as it is.
std::string JsonString(std::string_view text);

// One account as the form shows it, as a JSON object with the keys name, url,
// userName, accountId, comment and useCount, and password only when asked for.
void WriteAccountJson(std::ostream& out, const AccountRecord& record, bool withPassword);

// The accounts as a JSON array of such objects, one object a line.
void WriteAccountsJson(std::ostream& out, const std::vector<AccountRecord*>& records);

} // namespace lk::cli
