#pragma once

#include "core/store/AccountRecord.h"

#include <string>
#include <string_view>

namespace lk {

// The account line: the UTF-16 text form of one record, shared by account files,
// the legacy combined file and the import and export files. 28 fields, each
// followed by a comma, then one line feed.
//
// A comma or a line feed inside a field would end it early in every reader of
// the format, so the writer stores them as the private-use characters below and
// the reader turns them back. A line without either inside its fields is the same
// to the byte as the original format, so older files read as before.
inline constexpr char16_t kEscapedComma = u'\uE02C';
inline constexpr char16_t kEscapedLineFeed = u'\uE00A';
inline constexpr std::size_t kAccountLineFields = 28;

// Replaces `line` by the record's account line, line feed included.
bool FormatAccountLine(const AccountRecord& record, std::u16string& line);
std::u16string FormatAccountLine(const AccountRecord& record);

// Fills `record` from `text` in field order. Returns false when fewer than 28
// fields were found; the fields found before the missing separator are then
// filled and the rest left as they were. The comment ends at the next comma, or
// at the next line feed when no comma follows. Texts longer than their field
// are cut to fit; a FileStem that is not usable as a file name reads as empty.
bool ParseAccountLine(std::u16string_view text, AccountRecord& record);

// The integer reading of a field: leading blanks skipped, an optional sign, the
// digits up to the first other character, 0 without digits; held to 32 bits.
std::int32_t ReadLineInteger(std::u16string_view field);

} // namespace lk
