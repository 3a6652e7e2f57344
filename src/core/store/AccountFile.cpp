#include "core/store/AccountFile.h"

#include "core/platform/TextConversion.h"
#include "core/store/AccountLine.h"

#include <algorithm>

namespace lk {
namespace {

constexpr std::size_t kMarkerOffset = 4;
constexpr std::size_t kUserNameOffset = 20;

void PutUnit(std::vector<std::uint8_t>& bytes, std::size_t offset, char16_t unit)
{
    bytes[offset] = static_cast<std::uint8_t>(unit & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(unit >> 8);
}

} // namespace

bool ScrambleText(std::span<char16_t> units, std::u16string_view key)
{
    if (key.empty()) {
        return true;
    }
    std::size_t k = 0;
    for (char16_t& unit : units) {
        unit = static_cast<char16_t>(unit ^ key[k]);
        k = k + 1 == key.size() ? 0 : k + 1;
    }
    return true;
}

AccountFileHeader AccountFileHeader::ForUser(std::u16string_view userName)
{
    AccountFileHeader header;
    const std::string name = ToEightBit(userName);
    const std::string_view kept = CutEightBit(name, header.userName.size());
    std::copy(kept.begin(), kept.end(), header.userName.begin());
    return header;
}

std::array<std::uint8_t, AccountFileHeader::kSize> AccountFileHeader::Encode() const
{
    std::array<std::uint8_t, kSize> bytes{};
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(recordCount >> (8 * i));
    }
    std::copy(kMarker.begin(), kMarker.end(), bytes.begin() + kMarkerOffset);
    std::copy(userName.begin(), userName.end(), bytes.begin() + kUserNameOffset);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(~b);
    }
    return bytes;
}

std::vector<std::uint8_t> WriteAccountFile(const AccountRecord& record, std::u16string_view userName)
{
    std::u16string line = FormatAccountLine(record);
    ScrambleText(line, userName);

    std::vector<std::uint8_t> bytes(AccountFileHeader::kSize + 2 * line.size());
    const auto header = AccountFileHeader::ForUser(userName).Encode();
    std::copy(header.begin(), header.end(), bytes.begin());
    for (std::size_t i = 0; i < line.size(); ++i) {
        PutUnit(bytes, AccountFileHeader::kSize + 2 * i, line[i]);
    }
    return bytes;
}

AccountFileContent ReadAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName)
{
    AccountFileContent content;
    ReadAccountFile(bytes, userName, content);
    return content;
}

void ReadAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName, AccountFileContent& content)
{
    content.outcome = AccountFileOutcome::Short;
    content.recordCount = 0;
    content.text.clear();
    if (bytes.size() < AccountFileHeader::kSize) {
        return;
    }
    std::array<std::uint8_t, AccountFileHeader::kSize> header{};
    for (std::size_t i = 0; i < header.size(); ++i) {
        header[i] = static_cast<std::uint8_t>(~bytes[i]);
    }
    if (!std::equal(AccountFileHeader::kMarker.begin(), AccountFileHeader::kMarker.end(),
                    header.begin() + kMarkerOffset)) {
        content.outcome = AccountFileOutcome::NotAccount;
        return;
    }
    content.recordCount = static_cast<std::uint32_t>(header[0]) | static_cast<std::uint32_t>(header[1]) << 8 |
                          static_cast<std::uint32_t>(header[2]) << 16 | static_cast<std::uint32_t>(header[3]) << 24;

    const std::size_t units = (bytes.size() - AccountFileHeader::kSize) / 2;
    if (units == 0) {
        content.outcome = AccountFileOutcome::Empty;
        return;
    }
    // Units joined from their two bytes and unscrambled in one pass, up to the
    // first zero unit: the body ends there.
    std::u16string& text = content.text;
    text.resize(units);
    const std::span<const std::uint8_t> body = bytes.subspan(AccountFileHeader::kSize, 2 * units);
    std::size_t length = 0;
    std::size_t k = 0;
    for (; length < units; ++length) {
        auto unit = static_cast<char16_t>(body[2 * length] | (body[2 * length + 1] << 8));
        if (!userName.empty()) {
            unit = static_cast<char16_t>(unit ^ userName[k]);
            k = k + 1 == userName.size() ? 0 : k + 1;
        }
        if (unit == u'\0') {
            break;
        }
        text[length] = unit;
    }
    text.resize(length);
    content.outcome = AccountFileOutcome::Text;
}

} // namespace lk
