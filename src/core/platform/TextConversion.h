#pragma once

#include <string>
#include <string_view>

namespace lk {

// The program keeps two encodings side by side: UTF-16 for names and comments,
// and "8-bit text" for everything else. On this platform the 8-bit encoding is
// UTF-8, so conversions lose nothing but lone surrogates, which become "?".

// UTF-16 to 8-bit text. A lone surrogate converts to "?".
std::string ToEightBit(std::u16string_view text);
// The same into a caller's string, whose storage is reused.
void ToEightBit(std::u16string_view text, std::string& out);

// 8-bit text to UTF-16. A byte that does not begin a well-formed UTF-8 sequence
// converts to U+FFFD.
std::u16string FromEightBit(std::string_view text);

// The longest prefix of `text` that is at most `maxBytes` long and does not end
// inside a UTF-8 sequence.
std::string_view CutEightBit(std::string_view text, std::size_t maxBytes);

// The longest prefix of `text` that is at most `maxUnits` long and does not end
// between the two halves of a surrogate pair.
std::u16string_view CutWide(std::u16string_view text, std::size_t maxUnits);

// ASCII-only helpers used wherever the program compares names without regard to case.
char16_t AsciiUpper(char16_t c);
char AsciiUpper(char c);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Convenience for literals in the program's own texts.
inline std::u16string Wide(std::string_view eightBit)
{
    return FromEightBit(eightBit);
}

} // namespace lk
