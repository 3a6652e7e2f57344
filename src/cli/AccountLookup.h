#pragma once

#include <ostream>
#include <string_view>

namespace lk {
class AccountRecord;
}

namespace lk::cli {

class Store;

// The first account of the store's list whose name is `name` (8-bit text),
// exactly as the store's find-by-name compares, or null.
AccountRecord* FirstAccountNamed(Store& store, std::string_view name);

// The same, for a command that needs the account: when there is none, says so
// on `err` and returns null.
AccountRecord* RequireAccountNamed(Store& store, std::string_view name, std::ostream& err);

} // namespace lk::cli
