#include "core/transfer/TransferText.h"

#include "core/store/AccountRecord.h"

namespace lk {

bool IsTransferred(const AccountRecord& record)
{
    return !record.IsHidden() && !record.AccountName.empty();
}

std::vector<std::uint8_t> EncodeUtf16Le(std::u16string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string DecodeUtf16Le(std::span<const std::uint8_t> bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == u'\0') {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

} // namespace lk
