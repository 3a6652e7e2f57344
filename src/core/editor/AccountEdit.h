#pragma once

#include "core/editor/FormBoxes.h"

#include <optional>
#include <string>

namespace lk {

class AccountRecord;

// A change to a shown account made without the form: each box given replaces
// what the form would show in it (an empty text empties the box), each box not
// given keeps what the form shows. The shown-account Save rules then decide
// what is asked and written, exactly as if the user had typed into the form.
struct AccountEdit
{
    std::optional<std::u16string> account;
    std::optional<std::u16string> url;
    std::optional<std::u16string> userName;
    std::optional<std::u16string> accountId;
    std::optional<std::u16string> password;
    std::optional<std::u16string> comment;
};

// The boxes of the form showing `record` after `edit` was typed into them.
FormBoxes EditedBoxes(const AccountRecord& record, const AccountEdit& edit);

} // namespace lk
