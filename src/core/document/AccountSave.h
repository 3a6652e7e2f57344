#pragma once

#include "core/editor/FormBoxes.h"

#include <functional>

namespace lk {

class AccountRecord;
class CReaderDoc;

// How a Save of the form ended.
enum class SaveOutcome
{
    Saved,       // the account file was written
    Unchanged,   // a shown account whose boxes differ in nothing: nothing asked or written
    Incomplete,  // the Account or the URL box is empty: nothing written, nothing said
    Declined,    // the user answered No to the question
    WriteFailed, // the account file could not be written; the error has been shown
};

// What the form does once a Save has returned:
// - every outcome but WriteFailed: mask the password box again, reset the form
//   (OnInitialUpdate, so that it shows no account), then call the document's
//   RefreshAccounts. The shown record must not be used afterwards.
// - WriteFailed: nothing more. The form keeps its text and the account it shows,
//   so that nothing typed is lost and the user can try again; the list has not
//   been reloaded, so the shown record is still valid.
inline bool ResetsForm(SaveOutcome outcome)
{
    return outcome != SaveOutcome::WriteFailed;
}

// The form's boxes, read afresh on every call. Saving a shown account reads them
// twice, as the form always did: once to compare, and again, after the
// question, to store every box into the account.
using BoxReader = std::function<FormBoxes()>;

// Save of a new account: the filled boxes go into a new record, which needs an
// account name and a URL and, unless the user agrees otherwise, at least two
// login boxes. It is saved with Kind 9 and as many slots in use as login boxes
// were filled, and then appended to the document's list. Questions go to the
// desktop with the form as owner.
[[nodiscard]] SaveOutcome SaveNewAccount(CReaderDoc& document, const FormBoxes& boxes);

// Save of the account the form shows: a working copy is compared with the boxes,
// the user is asked whenever something changed (or a login box is empty), and
// the copy is written over the account's own file and copied back into `shown`.
[[nodiscard]] SaveOutcome SaveShownAccount(CReaderDoc& document, AccountRecord& shown, const BoxReader& readBoxes);
[[nodiscard]] SaveOutcome SaveShownAccount(CReaderDoc& document, AccountRecord& shown, const FormBoxes& boxes);

// The form's Save: a new account when the form shows none.
[[nodiscard]] SaveOutcome SaveFormAccount(CReaderDoc& document, AccountRecord* shown, const BoxReader& readBoxes);

} // namespace lk
