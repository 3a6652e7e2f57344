#pragma once

#include <string>

namespace lk {

// The name of the user running the program, as the scramble key and the account
// file header use it. A name longer than 15 UTF-16 units cannot be had: the
// result is then empty, which leaves account bodies unscrambled.
std::u16string CurrentUserName();

// The rule behind CurrentUserName, for names from anywhere.
std::u16string UsableUserName(std::u16string name);

} // namespace lk
