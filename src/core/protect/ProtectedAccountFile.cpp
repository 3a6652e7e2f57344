#include "core/protect/ProtectedAccountFile.h"

#include "core/protect/ProtectionKeyFile.h"
#include "core/protect/Sodium.h"
#include "core/store/AccountLine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <sodium.h>

namespace lk {
namespace {

static_assert(ProtectedAccountFile::kNonceSize == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(ProtectedAccountFile::kTagSize == crypto_aead_xchacha20poly1305_ietf_ABYTES);
static_assert(ProtectedAccountFile::kMarker.size() == AccountFileHeader::kMarker.size());

constexpr std::size_t kMarkerOffset = 4;
constexpr std::size_t kNonceOffset = AccountFileHeader::kSize;
constexpr std::size_t kCipherOffset = kNonceOffset + ProtectedAccountFile::kNonceSize;

using HeaderBytes = std::array<std::uint8_t, AccountFileHeader::kSize>;

// Count 0, the marker, an empty user name; every byte inverted.
HeaderBytes ProtectedHeader()
{
    HeaderBytes bytes{};
    std::copy(ProtectedAccountFile::kMarker.begin(), ProtectedAccountFile::kMarker.end(),
              bytes.begin() + kMarkerOffset);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(~b);
    }
    return bytes;
}

} // namespace

bool ProtectedAccountFile::HasMarker(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < AccountFileHeader::kSize) {
        return false;
    }
    const HeaderBytes header = ProtectedHeader();
    return std::equal(header.begin() + kMarkerOffset, header.begin() + kMarkerOffset + kMarker.size(),
                      bytes.begin() + kMarkerOffset);
}

std::optional<std::vector<std::uint8_t>> ProtectedAccountFile::Write(const AccountRecord& record,
                                                                     const SecretBuffer& dataKey)
{
    if (dataKey.size() != ProtectionKeyFile::kDataKeySize || !SodiumReady()) {
        return std::nullopt;
    }
    // The line is in the record's own memory already; these copies are wiped
    // after use. Guarded memory for them would cost system calls at every file
    // of every refresh.
    std::u16string line = FormatAccountLine(record);
    std::vector<std::uint8_t> plain(2 * line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        plain[2 * i] = static_cast<std::uint8_t>(line[i] & 0xFF);
        plain[2 * i + 1] = static_cast<std::uint8_t>(line[i] >> 8);
    }
    sodium_memzero(line.data(), line.size() * sizeof(char16_t));

    std::vector<std::uint8_t> bytes(kCipherOffset + plain.size() + kTagSize);
    const HeaderBytes header = ProtectedHeader();
    std::copy(header.begin(), header.end(), bytes.begin());
    randombytes_buf(bytes.data() + kNonceOffset, kNonceSize);
    unsigned long long cipherSize = 0;
    // An empty line has no bytes to point at; libsodium reads none then.
    static const std::uint8_t kNothing = 0;
    const std::uint8_t* message = plain.empty() ? &kNothing : plain.data();
    const bool encrypted =
        crypto_aead_xchacha20poly1305_ietf_encrypt(bytes.data() + kCipherOffset, &cipherSize, message, plain.size(),
                                                   bytes.data(), AccountFileHeader::kSize, nullptr,
                                                   bytes.data() + kNonceOffset, dataKey.bytes().data()) == 0 &&
        cipherSize == plain.size() + kTagSize;
    sodium_memzero(plain.data(), plain.size());
    if (!encrypted) {
        return std::nullopt;
    }
    return bytes;
}

AccountFileContent ProtectedAccountFile::Read(std::span<const std::uint8_t> bytes, const SecretBuffer& dataKey)
{
    AccountFileContent content;
    if (bytes.size() < AccountFileHeader::kSize) {
        content.outcome = AccountFileOutcome::Short;
        return content;
    }
    content.outcome = AccountFileOutcome::NotAccount;
    // A line is whole UTF-16 units, so an odd length is damage.
    if (!HasMarker(bytes) || bytes.size() < kLeastSize || (bytes.size() - kLeastSize) % 2 != 0 ||
        dataKey.size() != ProtectionKeyFile::kDataKeySize || !SodiumReady()) {
        return content;
    }
    const std::size_t cipherSize = bytes.size() - kCipherOffset;
    // One unit more than the line holds, so that an empty line still has room.
    std::u16string text((cipherSize - kTagSize) / 2 + 1, u'\0');
    auto* into = reinterpret_cast<std::uint8_t*>(text.data());
    unsigned long long plainSize = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(into, &plainSize, nullptr, bytes.data() + kCipherOffset, cipherSize,
                                                   bytes.data(), AccountFileHeader::kSize, bytes.data() + kNonceOffset,
                                                   dataKey.bytes().data()) != 0 ||
        plainSize != cipherSize - kTagSize) {
        sodium_memzero(text.data(), text.size() * sizeof(char16_t));
        return content;
    }
    text.resize(plainSize / 2);
    if (text.empty()) {
        content.outcome = AccountFileOutcome::Empty;
        return content;
    }
    // The units are little-endian on disk.
    if constexpr (std::endian::native == std::endian::big) {
        for (char16_t& unit : text) {
            unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
        }
    }
    if (const std::size_t zero = text.find(u'\0'); zero != std::u16string::npos) {
        sodium_memzero(text.data() + zero, (text.size() - zero) * sizeof(char16_t));
        text.resize(zero);
    }
    content.outcome = AccountFileOutcome::Text;
    content.text = std::move(text);
    return content;
}

} // namespace lk
