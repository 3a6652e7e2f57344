#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lk {

// The address that may be handed to the browser for a login address, or nothing.
// The address is only ever opened as a web page: without a scheme it gets
// "http://" in front, and only http and https addresses with a host are opened,
// so that an account's URL can never start a local program or script
// ("file:", "javascript:", "mailto:" and the like are not opened).
std::optional<std::string> WebAddressToOpen(std::u16string_view address);

// The URL without the blanks (spaces, tabs, line breaks) before and after it. A
// URL typed or pasted with a blank around it still names its site; the blanks
// are dropped only for opening it, the stored URL keeps them.
std::u16string_view WithoutSurroundingBlanks(std::u16string_view url);

} // namespace lk
