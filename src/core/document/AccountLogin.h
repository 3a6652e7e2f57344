#pragma once

#include "core/editor/FormBoxes.h"

#include <string>

namespace lk {

class AccountRecord;
class CReaderDoc;

// Takes the filled boxes into `record` and counts one more use. A box left empty
// leaves its field as it was: Login never clears a stored value. A typed password
// also sets the Flag of slot 0. SlotCount and Kind stay as they are.
void TakeLoginBoxes(AccountRecord& record, const FormBoxes& boxes);

// How a Login ended.
enum class LoginOutcome
{
    NoAccount,  // the form showed no account: nothing was read, saved or opened
    Launched,   // the account was saved and its login address handed on
    SaveFailed, // the save failed and the error has been shown; the address was handed on all the same
};

// The form's Login: the boxes into the shown account, one more use, then the
// document's LaunchLogin (save, then open the login address). Afterwards, on
// every outcome, the form only masks its password box again; it is neither reset
// nor refreshed, and the shown record stays valid.
[[nodiscard]] LoginOutcome LoginAccount(CReaderDoc& document, AccountRecord* shown, const FormBoxes& boxes);

// What LaunchLogin does: saves the account (showing the error when that fails),
// then opens its login address when it is a web address. False when the save failed.
[[nodiscard]] bool SaveAndLaunch(CReaderDoc& document, AccountRecord& record);

// The login address: the URL, "?LedgerAt=" and the account name, as they stand,
// nothing escaped; a URL that has a query already still gets the name appended.
std::u16string LoginAddress(const AccountRecord& record);

// The login address as it is opened: as LoginAddress, but of the URL without the
// blanks around it.
std::u16string LoginAddressToOpen(const AccountRecord& record);

} // namespace lk
