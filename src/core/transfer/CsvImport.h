#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lk {

class AccountList;
class AccountRecord;
class CsvColumns;

// What an import of a CSV file did, for the summary the user is shown.
struct CsvImportCounts
{
    std::size_t imported = 0;     // accounts added and saved
    std::size_t alreadyThere = 0; // rows whose account the store, or an earlier row, holds
    std::size_t skipped = 0;      // rows without a name and without a URL
    std::size_t cut = 0;          // values of imported accounts cut to fit their field
    std::size_t notSaved = 0;     // accounts added whose file could not be written

    friend bool operator==(const CsvImportCounts&, const CsvImportCounts&) = default;
};

// One row of a CSV file as the account the form would save from it: Kind 9,
// the password in slot 0 (Flag 1 when there is one), the user name in slot 1,
// the URL, the notes as the comment with CR LF line breaks (as the comment box
// holds them), and the name from the name column or, when that is empty, the
// URL's host. SlotCount covers every login field filled, and is at least 1 so
// that the explorer lists every imported account. Null for a row without a
// name and without a URL.
struct CsvRowAccount
{
    std::unique_ptr<AccountRecord> record;
    std::size_t cut = 0; // values longer than their field, cut at a character boundary
};
CsvRowAccount AccountFromCsvRow(const CsvColumns& columns, const std::vector<std::string>& row);

// The host part of a URL: without the scheme, the user information, the port
// and everything from the path on ("https://me@mail.example:443/in" gives
// "mail.example"). Empty when the URL has none.
std::string_view UrlHost(std::string_view url);

// Reads a CSV file's text (its first row the header) and appends to `list`
// every account of its rows that the list does not hold yet: an account is held
// when IsSameAccount finds it the same as an account of the same name in the
// list, one that an earlier row added included. Any account of that name
// counts, not only the first, so that importing the same file again adds
// nothing even where other accounts share its names. Once every row is read,
// `saveAll` is called once with the accounts added, in the order of their rows,
// and says for each whether its file was written, so that the disk is waited
// for once rather than once for each account. Rows whose fields are all empty
// are not rows of an account and count nowhere. A text whose header names
// neither a password nor a URL column adds nothing.
using SaveAddedAccounts = std::function<std::vector<bool>(std::span<AccountRecord* const>)>;
CsvImportCounts MergeCsvAccounts(std::string_view text, AccountList& list, const SaveAddedAccounts& saveAll);

// The summary of an import, for example "Imported 12 accounts; 3 were already
// there; 1 row was skipped; 2 values were cut to fit." The parts after the
// first are said only when their number is not 0.
std::u16string CsvImportSummary(const CsvImportCounts& counts);

} // namespace lk
