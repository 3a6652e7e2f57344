#pragma once

#include "core/protect/SecretBuffer.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountRecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lk {

// The account file of a protected store. It keeps the 36-byte inverted header of
// every account file, with its own marker, so that a program that knows only
// scrambled files skips it as not an account and never overwrites it, and with
// an empty user name (the file does not say who wrote it). Then:
//
//   offset    size
//       36      24  the nonce, fresh at every save
//       60  2n + 16 the account line (n UTF-16 little-endian units) encrypted
//                   with XChaCha20-Poly1305 under the store's data key, then the tag
//
// The 36 stored header bytes are the associated data: no byte of the file can
// change without the whole file being refused.
struct ProtectedAccountFile
{
    static constexpr std::string_view kMarker = "__LedgerKeeperP_";
    static constexpr std::size_t kNonceSize = 24;
    static constexpr std::size_t kTagSize = 16;
    // The size of a file whose line is empty.
    static constexpr std::size_t kLeastSize = AccountFileHeader::kSize + kNonceSize + kTagSize;

    // Whether `bytes` begin with a protected header (whatever follows).
    static bool HasMarker(std::span<const std::uint8_t> bytes);

    // The bytes of the protected account file for `record`. Nothing when the key
    // is not a data key or libsodium is not available.
    static std::optional<std::vector<std::uint8_t>> Write(const AccountRecord& record, const SecretBuffer& dataKey);

    // Decrypts a protected account file with the data key. Short below 36 bytes;
    // NotAccount for another marker, a file that is too short, or any file that
    // does not decrypt whole (a changed byte, another store's key); Empty for an
    // empty line; otherwise Text, the line up to its first zero unit.
    static AccountFileContent Read(std::span<const std::uint8_t> bytes, const SecretBuffer& dataKey);
};

} // namespace lk
