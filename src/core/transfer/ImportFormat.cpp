#include "core/transfer/ImportFormat.h"

#include "core/platform/TextConversion.h"
#include "core/transfer/CsvColumns.h"
#include "core/transfer/CsvReader.h"

#include <string_view>

namespace lk {
namespace {

bool HasUtf16LineFeed(std::span<const std::uint8_t> bytes)
{
    // The import's reading ends at the first unit of value zero.
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == 0 && bytes[i + 1] == 0) {
            return false;
        }
        if (bytes[i] == 0x0A && bytes[i + 1] == 0) {
            return true;
        }
    }
    return false;
}

// Well-formed UTF-8 without a zero byte: what comes back unchanged from a
// conversion to UTF-16 and back, since every ill-formed byte turns into U+FFFD.
bool IsUtf8Text(std::string_view text)
{
    return text.find('\0') == std::string_view::npos && ToEightBit(FromEightBit(text)) == text;
}

} // namespace

ImportFormat DetectImportFormat(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || HasUtf16LineFeed(bytes)) {
        return ImportFormat::AccountLines;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!IsUtf8Text(text)) {
        return ImportFormat::Neither;
    }
    CsvReader reader(text);
    const auto header = reader.NextRow();
    return header && CsvColumns::FromHeader(*header) ? ImportFormat::Csv : ImportFormat::Neither;
}

} // namespace lk
