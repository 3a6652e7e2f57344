#include "core/document/AccountLogin.h"

#include "core/document/CReaderDoc.h"
#include "core/editor/EditorTexts.h"
#include "core/editor/WebAddress.h"
#include "core/platform/TextConversion.h"

namespace lk {
namespace {

template <typename Field> void TakeIfFilled(Field& field, const std::u16string& box)
{
    if (!box.empty()) {
        field = ToEightBit(box);
    }
}

} // namespace

void TakeLoginBoxes(AccountRecord& record, const FormBoxes& typed)
{
    const FormBoxes boxes = ApplyReadLimits(typed);
    if (!boxes.account.empty()) {
        record.AccountName = boxes.account;
    }
    TakeIfFilled(record.Url, boxes.url);
    TakeIfFilled(record.Slots[kUserNameSlot].Value, boxes.userName);
    TakeIfFilled(record.Slots[kAccountIdSlot].Value, boxes.accountId);
    if (!boxes.password.empty()) {
        record.Slots[kPasswordSlot].Value = ToEightBit(boxes.password);
        record.Slots[kPasswordSlot].Flag = 1;
    }
    if (!boxes.comment.empty()) {
        record.Comment = boxes.comment;
    }
    // The count wraps rather than overflows.
    ++record.UseCount;
}

LoginOutcome LoginAccount(CReaderDoc& document, AccountRecord* shown, const FormBoxes& boxes)
{
    if (shown == nullptr) {
        return LoginOutcome::NoAccount;
    }
    TakeLoginBoxes(*shown, boxes);
    return SaveAndLaunch(document, *shown) ? LoginOutcome::Launched : LoginOutcome::SaveFailed;
}

std::u16string LoginAddress(const AccountRecord& record)
{
    std::u16string address = FromEightBit(record.Url.view());
    address += u"?LedgerAt=";
    address += record.AccountName.view();
    return address;
}

std::u16string LoginAddressToOpen(const AccountRecord& record)
{
    const std::u16string url = FromEightBit(record.Url.view());
    std::u16string address(WithoutSurroundingBlanks(url));
    address += u"?LedgerAt=";
    address += record.AccountName.view();
    return address;
}

bool SaveAndLaunch(CReaderDoc& document, AccountRecord& record)
{
    // A failed save still leads to the site: the user came to log in, and the
    // message tells them the count and any typed change were not kept. The use
    // is counted on top of the file's count, under the store lock, so that Logins
    // in other windows or tools since this account was read are not lost.
    const bool saved = document.SaveAccountKeepingUses(record, 1);
    if (!saved) {
        document.Desktop().ShowMessage(kSaveFailedMessage, kErrorCaption, DesktopPort::Owner::Form);
    }
    if (const std::optional<std::string> address = WebAddressToOpen(LoginAddressToOpen(record))) {
        document.Desktop().OpenWebAddress(*address);
    }
    return saved;
}

bool CReaderDoc::LaunchLogin(AccountRecord* record)
{
    if (record != nullptr) {
        // A failed save has been shown to the user; Login reports nothing more.
        static_cast<void>(SaveAndLaunch(*this, *record));
    }
    return true;
}

} // namespace lk
