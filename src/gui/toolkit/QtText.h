#pragma once

#include "core/platform/TextConversion.h"

#include <QString>
#include <string>
#include <string_view>

namespace lk {

// Conversions between the core's two text forms and Qt's strings. Qt and the
// core both hold wide text as UTF-16, so the wide conversions are exact.

inline QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString EightBitToQString(std::string_view text)
{
    return ToQString(FromEightBit(text));
}

inline std::u16string ToU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

} // namespace lk
