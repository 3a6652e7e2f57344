#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lk {

class AccountRecord;

// Whether an account goes into an export file or the printing listing: every
// account but the hidden ones and those without a name.
bool IsTransferred(const AccountRecord& record);

// Import and export files are UTF-16 little-endian, without byte-order mark.
std::vector<std::uint8_t> EncodeUtf16Le(std::u16string_view text);
// The text of an import file: its bytes as UTF-16 little-endian code units, up
// to the end of the file or the first unit of value zero. An odd last byte is
// not part of any unit.
std::u16string DecodeUtf16Le(std::span<const std::uint8_t> bytes);

} // namespace lk
