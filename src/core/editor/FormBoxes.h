#pragma once

#include <cstddef>
#include <string>

namespace lk {

class AccountRecord;

// The texts of the form's six boxes, as UTF-16, in the form's tab order. The
// form reads its boxes into this and hands it to the save and login rules; the
// rules never touch a widget.
struct FormBoxes
{
    std::u16string account;
    std::u16string url;
    std::u16string userName;
    std::u16string accountId;
    std::u16string password;
    std::u16string comment;

    friend bool operator==(const FormBoxes&, const FormBoxes&) = default;
};

// The most characters that a read of each box takes: one less than the buffer
// every read of the form has always used.
inline constexpr std::size_t kAccountBoxLimit = 126;
inline constexpr std::size_t kUrlBoxLimit = 510;
inline constexpr std::size_t kLoginBoxLimit = 62;
inline constexpr std::size_t kCommentBoxLimit = 510;

// The boxes as a read of the form gives them: each text cut to its limit, never
// between the halves of a surrogate pair.
FormBoxes ApplyReadLimits(FormBoxes boxes);

// The texts that showing `record` puts into the boxes: a login box whose slot is
// beyond the record's SlotCount is empty, whatever the slot holds.
FormBoxes ShownBoxes(const AccountRecord& record);

} // namespace lk
