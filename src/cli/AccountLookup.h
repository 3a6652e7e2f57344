#pragma once

#include <string_view>

namespace lk {
class AccountRecord;
}

namespace lk::cli {

class Store;

// The first account of the store's list whose name is `name` (8-bit text),
// exactly as the store's find-by-name compares, or null.
AccountRecord* FirstAccountNamed(Store& store, std::string_view name);

} // namespace lk::cli
