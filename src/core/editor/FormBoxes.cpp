#include "core/editor/FormBoxes.h"

#include "core/platform/TextConversion.h"
#include "core/store/AccountRecord.h"

namespace lk {
namespace {

void Limit(std::u16string& text, std::size_t limit)
{
    text.resize(CutWide(text, limit).size());
}

std::u16string ShownSlotValue(const AccountRecord& record, std::size_t slot)
{
    // SlotCount is compared as an unsigned number, as every walk of the slots does.
    return slot < record.SlotCount ? FromEightBit(record.Slots[slot].Value.view()) : std::u16string();
}

} // namespace

FormBoxes ApplyReadLimits(FormBoxes boxes)
{
    Limit(boxes.account, kAccountBoxLimit);
    Limit(boxes.url, kUrlBoxLimit);
    Limit(boxes.userName, kLoginBoxLimit);
    Limit(boxes.accountId, kLoginBoxLimit);
    Limit(boxes.password, kLoginBoxLimit);
    Limit(boxes.comment, kCommentBoxLimit);
    return boxes;
}

FormBoxes ShownBoxes(const AccountRecord& record)
{
    FormBoxes boxes;
    boxes.account = record.AccountName.str();
    boxes.url = FromEightBit(record.Url.view());
    boxes.userName = ShownSlotValue(record, kUserNameSlot);
    boxes.accountId = ShownSlotValue(record, kAccountIdSlot);
    boxes.password = ShownSlotValue(record, kPasswordSlot);
    boxes.comment = record.Comment.str();
    return boxes;
}

} // namespace lk
