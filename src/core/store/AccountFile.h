#pragma once

#include "core/store/AccountRecord.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lk {

// The largest account file the loaders read: an account line fits in about
// 6 KB, so anything larger is no account file and is skipped unread.
inline constexpr std::size_t kMaxAccountFileBytes = std::size_t{64} * 1024;
// The largest legacy combined file converted: it holds many accounts.
inline constexpr std::size_t kMaxCombinedFileBytes = std::size_t{256} * 1024 * 1024;

// Scrambles UTF-16 units in place with the user's name as the key: each unit is
// XORed with the key unit at its position modulo the key's length. Applying it
// twice restores the text; an empty key leaves the text as it is.
bool ScrambleText(std::span<char16_t> units, std::u16string_view key);

// The 36-byte header in front of every account file and of the legacy combined
// file, stored with every byte inverted.
struct AccountFileHeader
{
    static constexpr std::size_t kSize = 36;
    static constexpr std::string_view kMarker = "__LedgerKeeper__";

    std::uint32_t recordCount = 0;
    std::array<std::uint8_t, 16> userName{};

    // A header for the given writer: count 0, the marker, the name in 8-bit text,
    // zero padded, at most 16 bytes.
    static AccountFileHeader ForUser(std::u16string_view userName);

    // The 36 stored (inverted) bytes.
    std::array<std::uint8_t, kSize> Encode() const;
};

enum class AccountFileOutcome
{
    Short,      // fewer than 36 bytes
    NotAccount, // the marker is not there
    Empty,      // no body
    Text,       // a body, decoded
};

struct AccountFileContent
{
    AccountFileOutcome outcome = AccountFileOutcome::Short;
    std::uint32_t recordCount = 0; // from the header, when there is one
    std::u16string text;           // with Text: the body up to its first zero unit
};

// The bytes of an account file for `record`, written by the user `userName`:
// header, then the scrambled account line.
std::vector<std::uint8_t> WriteAccountFile(const AccountRecord& record, std::u16string_view userName);

// Decodes the bytes of an account file (or of the legacy combined file) for the
// user `userName`.
AccountFileContent ReadAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName);
// The same into a caller's content, whose text storage is reused: a refresh
// decodes every account file one after the other.
void ReadAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName, AccountFileContent& content);

} // namespace lk
