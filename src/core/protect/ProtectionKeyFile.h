#pragma once

#include "core/protect/KeyDerivationCost.h"
#include "core/protect/SecretBuffer.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lk {

// The key file of a protected store, "Protection.key" in the data folder (its
// name does not end in ".dat", so no listing of account files takes it for one).
// It holds the store's random 256-bit data key, wrapped with XChaCha20-Poly1305
// under a key that Argon2id derives from the master password. Fixed size, all
// numbers little-endian:
//
//   offset size
//        0   16  the magic "__LedgerKeeperK_"
//       16    4  the format version, 1
//       20    4  the key derivation: 2, Argon2id version 1.3
//       24    8  Argon2id passes
//       32    8  Argon2id memory in bytes
//       40   16  the salt
//       56   24  the nonce
//       80   48  the wrapped data key: 32 bytes of ciphertext, then the 16-byte tag
//      128   32  BLAKE2b-256 of bytes 0 to 127
//
// Bytes 0 to 79 are the associated data of the wrapping, so no parameter can be
// changed without the unwrap failing. The checksum holds nothing secret; it
// tells a damaged file (any byte changed) from a wrong master password, which
// the wrapping alone cannot tell apart.
class ProtectionKeyFile
{
public:
    static constexpr std::string_view kFileName = "Protection.key";
    static constexpr std::string_view kMagic = "__LedgerKeeperK_";
    static constexpr std::uint32_t kVersion = 1;
    static constexpr std::size_t kSize = 160;
    static constexpr std::size_t kDataKeySize = 32;
    static constexpr std::size_t kNonceSize = 24;
    static constexpr std::size_t kWrappedSize = kDataKeySize + 16;

    enum class Outcome
    {
        Unlocked,      // the master password is right; the data key is there
        WrongPassword, // the file is whole, the password does not open it
        Damaged,       // the file is not a key file this program wrote, or a byte of it changed
        Unavailable,   // no guarded memory or no randomness: nothing was tried
    };

    struct Unwrapped
    {
        Outcome outcome = Outcome::Unavailable;
        std::optional<SecretBuffer> dataKey; // with Unlocked
    };

    // A new random data key, in guarded memory.
    static std::optional<SecretBuffer> NewDataKey();

    // A key file that wraps `dataKey` under `masterPassword`, with a fresh salt
    // and nonce. Nothing when the key is not 32 bytes, the cost is out of bounds
    // or the derivation could not run.
    static std::optional<ProtectionKeyFile> Wrap(const SecretBuffer& dataKey, const SecretBuffer& masterPassword,
                                                 KeyDerivationCost cost);

    // The key file in `bytes`, checked for size, magic, version, derivation,
    // cost bounds and checksum; nothing when any of them fails.
    static std::optional<ProtectionKeyFile> Parse(std::span<const std::uint8_t> bytes);

    // The data key, when `masterPassword` is the one the file was wrapped under.
    Unwrapped Unwrap(const SecretBuffer& masterPassword) const;
    // Parse, then Unwrap; a file that does not parse is Damaged.
    static Unwrapped Unwrap(std::span<const std::uint8_t> bytes, const SecretBuffer& masterPassword);

    // The same data key wrapped under `newPassword` at `cost` (fresh salt and
    // nonce), when `oldPassword` opens this file. The account files, encrypted
    // with the data key, need no change.
    struct Rewrapped;
    Rewrapped Rewrap(const SecretBuffer& oldPassword, const SecretBuffer& newPassword, KeyDerivationCost cost) const;

    std::array<std::uint8_t, kSize> Encode() const;
    KeyDerivationCost Cost() const { return cost_; }

    // The key file of a data folder.
    static std::filesystem::path PathIn(const std::filesystem::path& dataFolder);
    // Whether the data folder has a key file (whatever it holds): the store is then protected.
    static bool ExistsIn(const std::filesystem::path& dataFolder);
    // The bytes of the key file at `file`: nothing when it is missing, a link,
    // or not a regular file (read without blocking, in constant memory). Of a
    // larger file only one byte more than a key file holds is read.
    static std::optional<std::vector<std::uint8_t>> ReadFrom(const std::filesystem::path& file);
    // Writes the file atomically, readable by its owner only.
    [[nodiscard]] bool WriteTo(const std::filesystem::path& file) const;

private:
    ProtectionKeyFile() = default;

    KeyDerivationCost cost_;
    std::array<std::uint8_t, kSaltSize> salt_{};
    std::array<std::uint8_t, kNonceSize> nonce_{};
    std::array<std::uint8_t, kWrappedSize> wrapped_{};
};

struct ProtectionKeyFile::Rewrapped
{
    Outcome outcome = Outcome::Unavailable;
    std::optional<ProtectionKeyFile> file; // with Unlocked
};

} // namespace lk
