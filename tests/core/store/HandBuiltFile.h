#pragma once

// Account files put together byte by byte from the format's tables, without the
// program's writer, so that tests can tell the writer and the reader apart.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk::test {

using Bytes = std::vector<std::uint8_t>;

// The 36 stored header bytes: record count (little-endian), the marker, the
// writer's name as 16 zero-padded bytes; every byte inverted.
inline Bytes HandBuiltHeader(std::uint32_t count, std::string_view userNameBytes)
{
    Bytes plain;
    for (int i = 0; i < 4; ++i) {
        plain.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
    }
    for (const char c : std::string_view("__LedgerKeeper__")) {
        plain.push_back(static_cast<std::uint8_t>(c));
    }
    for (std::size_t i = 0; i < 16; ++i) {
        plain.push_back(i < userNameBytes.size() ? static_cast<std::uint8_t>(userNameBytes[i]) : 0);
    }
    Bytes stored;
    for (const std::uint8_t b : plain) {
        stored.push_back(static_cast<std::uint8_t>(b ^ 0xFF));
    }
    return stored;
}

// A whole file: the header, then every unit of `body` XOR the key unit at its
// position modulo the key's length, little-endian.
inline Bytes HandBuiltFile(std::u16string_view body, std::u16string_view key, std::uint32_t count = 0)
{
    std::string keyBytes;
    for (const char16_t c : key) {
        keyBytes.push_back(static_cast<char>(c)); // the tests' user names are ASCII
    }
    Bytes bytes = HandBuiltHeader(count, keyBytes);
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char16_t unit = key.empty() ? body[i] : static_cast<char16_t>(body[i] ^ key[i % key.size()]);
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// An account line from its 28 fields, each followed by a comma, then a line feed.
inline std::u16string JoinFields(const std::vector<std::u16string>& fields, std::u16string_view end = u"\n")
{
    std::u16string line;
    for (const auto& field : fields) {
        line += field;
        line += u',';
    }
    line += end;
    return line;
}

// The 28 fields of a record fresh from construction.
inline std::vector<std::u16string> EmptyFields()
{
    return {u"", u"",  u"", u"", u"", u"",  u"0", u"0", u"0", u"",  u"0", u"0", u"", u"",
            u"", u"0", u"", u"", u"", u"0", u"",  u"",  u"",  u"0", u"",  u"",  u"", u""};
}

} // namespace lk::test
