#include "core/document/AccountSave.h"

#include "core/document/CReaderDoc.h"
#include "core/editor/EditorTexts.h"
#include "core/platform/TextConversion.h"

#include <memory>

namespace lk {
namespace {

bool Ask(CReaderDoc& document, std::u16string_view question)
{
    return document.Desktop().AskYesNo(question, kWarningCaption, DesktopPort::Owner::Form);
}

void Store(FieldSlot& slot, std::u16string_view box)
{
    slot.Value = ToEightBit(box);
}

// Stores the box into the field when the two differ; true when they did. 8-bit
// fields compare the box as the field would hold it, so that a text cut to the
// field's capacity does not count as changed on every save.
template <std::size_t N> bool TakeIfDiffers(FixedText<N>& field, std::u16string_view box)
{
    const FixedText<N> typed(ToEightBit(box));
    if (typed == field) {
        return false;
    }
    field = typed;
    return true;
}

template <std::size_t N> bool TakeIfDiffers(FixedWideText<N>& field, std::u16string_view box)
{
    const FixedWideText<N> typed(box);
    if (typed == field) {
        return false;
    }
    field = typed;
    return true;
}

// Compares the boxes with the working copy, storing what differs into it. A box
// left empty counts as a change, except the comment's. Returns the change flag;
// `logins` counts the filled login boxes.
bool CompareInto(AccountRecord& copy, const FormBoxes& boxes, std::uint32_t& logins)
{
    bool changed = false;
    const auto compare = [&](auto& field, const std::u16string& box) {
        if (box.empty()) {
            changed = true;
            return false;
        }
        changed = TakeIfDiffers(field, box) || changed;
        return true;
    };
    compare(copy.AccountName, boxes.account);
    compare(copy.Url, boxes.url);
    logins += compare(copy.Slots[kUserNameSlot].Value, boxes.userName) ? 1 : 0;
    logins += compare(copy.Slots[kAccountIdSlot].Value, boxes.accountId) ? 1 : 0;
    FieldSlot& password = copy.Slots[kPasswordSlot];
    if (boxes.password.empty()) {
        changed = true;
    } else {
        ++logins;
        if (TakeIfDiffers(password.Value, boxes.password)) {
            changed = true;
            password.Flag = 1;
        }
    }
    changed = TakeIfDiffers(copy.Comment, boxes.comment) || changed;
    return changed;
}

// Every box into the copy, filled or not: an empty box now clears its field.
void StoreAll(AccountRecord& copy, const FormBoxes& boxes)
{
    copy.AccountName = boxes.account;
    copy.Url = ToEightBit(boxes.url);
    Store(copy.Slots[kUserNameSlot], boxes.userName);
    Store(copy.Slots[kAccountIdSlot], boxes.accountId);
    Store(copy.Slots[kPasswordSlot], boxes.password);
    copy.Comment = boxes.comment;
}

// How a save treats the use count of the account's file.
enum class Uses
{
    AsHeld,        // a new account: its count is its own
    KeepFileCount, // a shown account: Logins elsewhere since it was read are kept
};

SaveOutcome Write(CReaderDoc& document, AccountRecord& record, Uses uses)
{
    const bool saved =
        uses == Uses::KeepFileCount ? document.SaveAccountKeepingUses(record, 0) : document.SaveAccount(record);
    if (saved) {
        return SaveOutcome::Saved;
    }
    document.Desktop().ShowMessage(kSaveFailedMessage, kErrorCaption, DesktopPort::Owner::Form);
    return SaveOutcome::WriteFailed;
}

} // namespace

SaveOutcome SaveNewAccount(CReaderDoc& document, const FormBoxes& typed)
{
    const FormBoxes boxes = ApplyReadLimits(typed);
    auto record = std::make_unique<AccountRecord>();
    record->AccountName = boxes.account;
    record->Url = ToEightBit(boxes.url);
    std::uint32_t logins = 0;
    const auto fill = [&](std::size_t slot, const std::u16string& box) {
        if (!box.empty()) {
            Store(record->Slots[slot], box);
            ++logins;
        }
    };
    fill(kUserNameSlot, boxes.userName);
    fill(kAccountIdSlot, boxes.accountId);
    fill(kPasswordSlot, boxes.password);
    if (!boxes.password.empty()) {
        record->Slots[kPasswordSlot].Flag = 1;
    }
    record->Comment = boxes.comment;

    if (boxes.account.empty() || boxes.url.empty()) {
        return SaveOutcome::Incomplete;
    }
    if (logins < 2 && !Ask(document, kInvalidLoginQuestion)) {
        return SaveOutcome::Declined;
    }
    record->Kind = kKindSaved;
    record->SlotCount = logins;
    const SaveOutcome outcome = Write(document, *record, Uses::AsHeld);
    if (outcome == SaveOutcome::Saved) {
        document.Accounts().Add(std::move(record));
    }
    return outcome;
}

SaveOutcome SaveShownAccount(CReaderDoc& document, AccountRecord& shown, const BoxReader& readBoxes)
{
    // A whole copy rather than an empty record filled by CopyFrom: the fields the
    // form never shows (the auxiliary texts, the order index, the slots not in
    // use) then reach the rewritten file as they were instead of being dropped.
    AccountRecord copy = shown;

    const FormBoxes boxes = ApplyReadLimits(readBoxes());
    std::uint32_t logins = 0;
    if (!CompareInto(copy, boxes, logins)) {
        return SaveOutcome::Unchanged;
    }
    if (boxes.account.empty() || boxes.url.empty()) {
        return SaveOutcome::Incomplete;
    }
    if (!Ask(document, logins < 2 ? kInvalidLoginQuestion : kSaveUpdateQuestion)) {
        return SaveOutcome::Declined;
    }
    copy.Kind = kKindSaved;
    StoreAll(copy, ApplyReadLimits(readBoxes()));
    // The copy carries the shown record's stem, so the account's own file is
    // rewritten; a new name does not rename the file.
    const SaveOutcome outcome = Write(document, copy, Uses::KeepFileCount);
    if (outcome == SaveOutcome::Saved) {
        shown.CopyFrom(copy);
    }
    return outcome;
}

SaveOutcome SaveShownAccount(CReaderDoc& document, AccountRecord& shown, const FormBoxes& boxes)
{
    return SaveShownAccount(document, shown, [&boxes] { return boxes; });
}

SaveOutcome SaveFormAccount(CReaderDoc& document, AccountRecord* shown, const BoxReader& readBoxes)
{
    if (shown == nullptr) {
        return SaveNewAccount(document, readBoxes());
    }
    return SaveShownAccount(document, *shown, readBoxes);
}

} // namespace lk
