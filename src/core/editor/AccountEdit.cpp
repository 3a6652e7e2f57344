#include "core/editor/AccountEdit.h"

namespace lk {

FormBoxes EditedBoxes(const AccountRecord& record, const AccountEdit& edit)
{
    FormBoxes boxes = ShownBoxes(record);
    const auto replace = [](std::u16string& box, const std::optional<std::u16string>& typed) {
        if (typed) {
            box = *typed;
        }
    };
    replace(boxes.account, edit.account);
    replace(boxes.url, edit.url);
    replace(boxes.userName, edit.userName);
    replace(boxes.accountId, edit.accountId);
    replace(boxes.password, edit.password);
    replace(boxes.comment, edit.comment);
    return boxes;
}

} // namespace lk
