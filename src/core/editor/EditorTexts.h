#pragma once

#include "core/ports/Captions.h"

#include <string_view>

namespace lk {

// The questions and the messages of the form's Save, Login and Delete, exactly as the
// user sees them; their captions are the program's common ones.
inline constexpr std::u16string_view kInvalidLoginQuestion = u"Invalid login information... Save anyway?";
inline constexpr std::u16string_view kSaveUpdateQuestion = u"Do you want to save updated account information?";
inline constexpr std::u16string_view kSaveFailedMessage = u"The account could not be saved.";
inline constexpr std::u16string_view kDeleteFailedMessage = u"The account could not be deleted.";

} // namespace lk
