#include "core/protect/ProtectionKeyFile.h"

#include "core/platform/PrivateFile.h"
#include "core/protect/Sodium.h"

#include <algorithm>
#include <sodium.h>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lk {
namespace {

static_assert(ProtectionKeyFile::kNonceSize == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(ProtectionKeyFile::kWrappedSize ==
              ProtectionKeyFile::kDataKeySize + crypto_aead_xchacha20poly1305_ietf_ABYTES);
static_assert(kDerivedKeySize == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);

constexpr std::uint32_t kDerivation = crypto_pwhash_ALG_ARGON2ID13;

constexpr std::size_t kVersionOffset = 16;
constexpr std::size_t kDerivationOffset = 20;
constexpr std::size_t kPassesOffset = 24;
constexpr std::size_t kMemoryOffset = 32;
constexpr std::size_t kSaltOffset = 40;
constexpr std::size_t kNonceOffset = 56;
constexpr std::size_t kWrappedOffset = 80;
constexpr std::size_t kChecksumOffset = 128;
constexpr std::size_t kChecksumSize = 32;
constexpr std::size_t kAssociatedSize = kWrappedOffset;
static_assert(kChecksumOffset + kChecksumSize == ProtectionKeyFile::kSize);
static_assert(kWrappedOffset + ProtectionKeyFile::kWrappedSize == kChecksumOffset);

using KeyFileBytes = std::array<std::uint8_t, ProtectionKeyFile::kSize>;

void PutNumber(KeyFileBytes& bytes, std::size_t offset, std::uint64_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint64_t GetNumber(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

std::array<std::uint8_t, kChecksumSize> Checksum(std::span<const std::uint8_t> bytes)
{
    std::array<std::uint8_t, kChecksumSize> sum{};
    crypto_generichash(sum.data(), sum.size(), bytes.data(), kChecksumOffset, nullptr, 0);
    return sum;
}

template <std::size_t N>
void CopyOut(std::span<const std::uint8_t> bytes, std::size_t offset, std::array<std::uint8_t, N>& to)
{
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), N, to.begin());
}

} // namespace

std::optional<SecretBuffer> ProtectionKeyFile::NewDataKey()
{
    auto key = SecretBuffer::Allocate(kDataKeySize);
    if (!key || !SodiumReady()) {
        return std::nullopt;
    }
    randombytes_buf(key->bytes().data(), key->size());
    return key;
}

std::optional<ProtectionKeyFile> ProtectionKeyFile::Wrap(const SecretBuffer& dataKey,
                                                         const SecretBuffer& masterPassword, KeyDerivationCost cost)
{
    if (dataKey.size() != kDataKeySize || !cost.Acceptable() || !SodiumReady()) {
        return std::nullopt;
    }
    ProtectionKeyFile file;
    file.cost_ = cost;
    randombytes_buf(file.salt_.data(), file.salt_.size());
    randombytes_buf(file.nonce_.data(), file.nonce_.size());
    const auto wrappingKey = DeriveWrappingKey(masterPassword, file.salt_, cost);
    if (!wrappingKey) {
        return std::nullopt;
    }
    // The associated data are the file's own first bytes, so encode them first.
    const KeyFileBytes header = file.Encode();
    unsigned long long wrappedSize = 0;
    if (crypto_aead_xchacha20poly1305_ietf_encrypt(file.wrapped_.data(), &wrappedSize, dataKey.bytes().data(),
                                                   dataKey.size(), header.data(), kAssociatedSize, nullptr,
                                                   file.nonce_.data(), wrappingKey->bytes().data()) != 0 ||
        wrappedSize != kWrappedSize) {
        return std::nullopt;
    }
    return file;
}

std::optional<ProtectionKeyFile> ProtectionKeyFile::Parse(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != kSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()) ||
        GetNumber(bytes, kVersionOffset, 4) != kVersion || GetNumber(bytes, kDerivationOffset, 4) != kDerivation) {
        return std::nullopt;
    }
    if (!SodiumReady()) {
        return std::nullopt;
    }
    const auto sum = Checksum(bytes);
    if (!std::equal(sum.begin(), sum.end(), bytes.begin() + kChecksumOffset)) {
        return std::nullopt;
    }
    ProtectionKeyFile file;
    file.cost_ = KeyDerivationCost{GetNumber(bytes, kPassesOffset, 8), GetNumber(bytes, kMemoryOffset, 8)};
    if (!file.cost_.Acceptable()) {
        return std::nullopt;
    }
    CopyOut(bytes, kSaltOffset, file.salt_);
    CopyOut(bytes, kNonceOffset, file.nonce_);
    CopyOut(bytes, kWrappedOffset, file.wrapped_);
    return file;
}

ProtectionKeyFile::Unwrapped ProtectionKeyFile::Unwrap(const SecretBuffer& masterPassword) const
{
    Unwrapped result;
    auto dataKey = SecretBuffer::Allocate(kDataKeySize);
    const auto wrappingKey = DeriveWrappingKey(masterPassword, salt_, cost_);
    if (!dataKey || !wrappingKey) {
        return result;
    }
    const KeyFileBytes header = Encode();
    unsigned long long keySize = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(dataKey->bytes().data(), &keySize, nullptr, wrapped_.data(),
                                                   wrapped_.size(), header.data(), kAssociatedSize, nonce_.data(),
                                                   wrappingKey->bytes().data()) != 0 ||
        keySize != kDataKeySize) {
        result.outcome = Outcome::WrongPassword;
        return result;
    }
    result.outcome = Outcome::Unlocked;
    result.dataKey = std::move(dataKey);
    return result;
}

ProtectionKeyFile::Unwrapped ProtectionKeyFile::Unwrap(std::span<const std::uint8_t> bytes,
                                                       const SecretBuffer& masterPassword)
{
    if (!SodiumReady()) {
        return Unwrapped{};
    }
    const auto file = Parse(bytes);
    if (!file) {
        return Unwrapped{Outcome::Damaged, std::nullopt};
    }
    return file->Unwrap(masterPassword);
}

ProtectionKeyFile::Rewrapped ProtectionKeyFile::Rewrap(const SecretBuffer& oldPassword, const SecretBuffer& newPassword,
                                                       KeyDerivationCost cost) const
{
    Unwrapped unwrapped = Unwrap(oldPassword);
    Rewrapped result;
    result.outcome = unwrapped.outcome;
    if (unwrapped.outcome != Outcome::Unlocked) {
        return result;
    }
    result.file = Wrap(*unwrapped.dataKey, newPassword, cost);
    if (!result.file) {
        result.outcome = Outcome::Unavailable;
    }
    return result;
}

std::array<std::uint8_t, ProtectionKeyFile::kSize> ProtectionKeyFile::Encode() const
{
    KeyFileBytes bytes{};
    std::copy(kMagic.begin(), kMagic.end(), bytes.begin());
    PutNumber(bytes, kVersionOffset, kVersion, 4);
    PutNumber(bytes, kDerivationOffset, kDerivation, 4);
    PutNumber(bytes, kPassesOffset, cost_.passes, 8);
    PutNumber(bytes, kMemoryOffset, cost_.memory, 8);
    std::copy(salt_.begin(), salt_.end(), bytes.begin() + kSaltOffset);
    std::copy(nonce_.begin(), nonce_.end(), bytes.begin() + kNonceOffset);
    std::copy(wrapped_.begin(), wrapped_.end(), bytes.begin() + kWrappedOffset);
    if (SodiumReady()) {
        const auto sum = Checksum(bytes);
        std::copy(sum.begin(), sum.end(), bytes.begin() + kChecksumOffset);
    }
    return bytes;
}

std::filesystem::path ProtectionKeyFile::PathIn(const std::filesystem::path& dataFolder)
{
    return dataFolder / kFileName;
}

bool ProtectionKeyFile::ExistsIn(const std::filesystem::path& dataFolder)
{
    std::error_code error;
    return std::filesystem::symlink_status(PathIn(dataFolder), error).type() != std::filesystem::file_type::not_found &&
           !error;
}

std::optional<std::vector<std::uint8_t>> ProtectionKeyFile::ReadFrom(const std::filesystem::path& file)
{
#ifndef _WIN32
    // Without blocking: a FIFO put in the key file's place must not hang the unlock.
    // Only a regular file of that very name is the store's key file, as for its
    // account files: a link put in its place is refused, wherever it points.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info
    {};
    std::optional<std::vector<std::uint8_t>> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // One byte more than a key file holds: a longer file reads as one that is too long.
        std::vector<std::uint8_t> buffer(kSize + 1);
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                ::close(fd);
                return std::nullopt;
            }
            if (got == 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        buffer.resize(done);
        bytes = std::move(buffer);
    }
    ::close(fd);
    return bytes;
#else
    auto bytes = ReadWholeFile(file);
    if (bytes && bytes->size() > kSize + 1) {
        bytes->resize(kSize + 1);
    }
    return bytes;
#endif
}

bool ProtectionKeyFile::WriteTo(const std::filesystem::path& file) const
{
    const KeyFileBytes bytes = Encode();
    return ReplaceFileAtomically(file, bytes);
}

} // namespace lk
