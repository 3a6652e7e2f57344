#pragma once

#include "core/protect/StoreKey.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountRecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lk {

// The account files of a store as the store reads and writes them. Without a
// store key, every file is what it has always been: scrambled with the user's
// name, and a protected file is not an account. With the key of an unlocked
// protected store, a protected file is decrypted, a scrambled one (written by an
// older program into the same folder) still reads, and every write is protected.

AccountFileContent ReadStoredAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName,
                                         const StoreKey* key);
// The same into a caller's content, whose storage a scrambled file reuses.
void ReadStoredAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName, const StoreKey* key,
                           AccountFileContent& content);

// The bytes of the account file for `record`; nothing when it cannot be
// encrypted (the save then fails and writes nothing).
std::optional<std::vector<std::uint8_t>> WriteStoredAccountFile(const AccountRecord& record,
                                                                std::u16string_view userName, const StoreKey* key);

} // namespace lk
