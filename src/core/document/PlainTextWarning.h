#pragma once

#include <string_view>

namespace lk {

class CReaderDoc;

// Asked before Export, Export CSV and Printing Format make a file of a protected
// store: whatever the master password guards stands in that file for anyone who
// can read it.
inline constexpr std::u16string_view kPlainTextQuestion =
    u"This file will hold every password in plain text. Continue?";

// Whether a file of every password in plain text may be made of the document's
// store: always for a store that is not protected (nothing is asked, as it
// never was); for a protected one, when the user answers Yes.
[[nodiscard]] bool ConfirmPlainTextFile(CReaderDoc& document);

} // namespace lk
