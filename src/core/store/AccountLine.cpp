#include "core/store/AccountLine.h"

#include "core/platform/TextConversion.h"
#include "core/store/FileStem.h"

#include <limits>

namespace lk {
namespace {

void AppendEscaped(std::u16string& line, std::u16string_view field)
{
    for (const char16_t c : field) {
        if (c == u',') {
            line.push_back(kEscapedComma);
        } else if (c == u'\n') {
            line.push_back(kEscapedLineFeed);
        } else {
            line.push_back(c);
        }
    }
    line.push_back(u',');
}

void AppendEightBit(std::u16string& line, std::string_view field)
{
    AppendEscaped(line, FromEightBit(field));
}

void AppendInteger(std::u16string& line, std::int64_t value)
{
    const std::string digits = std::to_string(value);
    line.append(digits.begin(), digits.end());
    line.push_back(u',');
}

bool HoldsEscapes(std::u16string_view field)
{
    return field.find_first_of(std::u16string_view(u"\uE02C\uE00A")) != std::u16string_view::npos;
}

// The field with the escapes turned back. Most fields hold none: those are
// handed back as they stand, without a copy, since every refresh parses every
// account file.
std::u16string_view Unescaped(std::u16string_view field, std::u16string& buffer)
{
    if (!HoldsEscapes(field)) {
        return field;
    }
    buffer.assign(field);
    for (char16_t& c : buffer) {
        if (c == kEscapedComma) {
            c = u',';
        } else if (c == kEscapedLineFeed) {
            c = u'\n';
        }
    }
    return buffer;
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// Walks the fields of one line in order.
class FieldReader
{
public:
    explicit FieldReader(std::u16string_view text) : text_(text) {}

    // The next field up to its comma; false when no comma follows.
    bool Next(std::u16string_view& field) { return NextEndingAt(u",", field); }

    // The comment: up to the next comma, or the next line feed when no comma follows.
    bool Last(std::u16string_view& field) { return NextEndingAt(u",", field) || NextEndingAt(u"\n", field); }

private:
    bool NextEndingAt(std::u16string_view separator, std::u16string_view& field)
    {
        const std::size_t end = text_.find(separator, position_);
        if (end == std::u16string_view::npos) {
            return false;
        }
        field = text_.substr(position_, end - position_);
        position_ = end + 1;
        return true;
    }

    std::u16string_view text_;
    std::size_t position_ = 0;
};

} // namespace

bool FormatAccountLine(const AccountRecord& record, std::u16string& line)
{
    line.clear();
    AppendEscaped(line, record.AuxText.view());
    AppendEscaped(line, record.AccountName.view());
    AppendEightBit(line, record.Url.view());
    AppendEightBit(line, record.Aux32.view());
    AppendEightBit(line, record.FileStem.view());
    AppendEightBit(line, record.Aux4.view());
    AppendInteger(line, record.SortIndex);
    AppendInteger(line, static_cast<std::int32_t>(record.UseCount));
    AppendInteger(line, record.Kind);
    AppendEightBit(line, record.Aux64.view());
    AppendInteger(line, record.SlotCount);
    for (const FieldSlot& slot : record.Slots) {
        AppendInteger(line, slot.Flag);
        AppendEightBit(line, slot.Name.view());
        AppendEightBit(line, slot.Label.view());
        AppendEightBit(line, slot.Value.view());
    }
    AppendEscaped(line, record.Comment.view());
    line.push_back(u'\n');
    return true;
}

std::u16string FormatAccountLine(const AccountRecord& record)
{
    std::u16string line;
    FormatAccountLine(record, line);
    return line;
}

std::int32_t ReadLineInteger(std::u16string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) {
        negative = field[i] == u'-';
        ++i;
    }
    // Held to 32 bits as the C library's reading of a long does on the platform
    // the files come from: out-of-range values stop at the nearest limit.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i) {
        value = value * 10 + (field[i] - u'0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

bool ParseAccountLine(std::u16string_view text, AccountRecord& record)
{
    FieldReader reader(text);
    std::u16string_view field;
    std::u16string unescaped;
    std::string eightBitText;

    const auto wide = [&](auto& target) {
        if (!reader.Next(field)) {
            return false;
        }
        target = Unescaped(field, unescaped);
        return true;
    };
    const auto eightBit = [&](auto& target) {
        if (!reader.Next(field)) {
            return false;
        }
        ToEightBit(Unescaped(field, unescaped), eightBitText);
        target = eightBitText;
        return true;
    };
    const auto integer = [&](auto& target) {
        if (!reader.Next(field)) {
            return false;
        }
        target = static_cast<std::remove_reference_t<decltype(target)>>(ReadLineInteger(field));
        return true;
    };

    if (!wide(record.AuxText) || !wide(record.AccountName) || !eightBit(record.Url) || !eightBit(record.Aux32)) {
        return false;
    }
    if (!reader.Next(field)) {
        return false;
    }
    const std::string stem = ToEightBit(Unescaped(field, unescaped));
    record.FileStem = IsUsableStem(stem) ? std::string_view(stem) : std::string_view();

    if (!eightBit(record.Aux4) || !integer(record.SortIndex) || !integer(record.UseCount) || !integer(record.Kind) ||
        !eightBit(record.Aux64)) {
        return false;
    }
    std::uint32_t slotCount = 0;
    if (!integer(slotCount)) {
        return false;
    }
    record.SlotCount = slotCount > kSlotCount ? static_cast<std::uint32_t>(kSlotCount) : slotCount;
    for (FieldSlot& slot : record.Slots) {
        if (!integer(slot.Flag) || !eightBit(slot.Name) || !eightBit(slot.Label) || !eightBit(slot.Value)) {
            return false;
        }
    }
    if (!reader.Last(field)) {
        return false;
    }
    record.Comment = Unescaped(field, unescaped);
    return true;
}

} // namespace lk
