#pragma once

#include <string>

namespace lk {

class AccountList;
class CReaderDoc;

// The printing listing of the list, as UTF-16 with carriage return and line
// feed line breaks: a head, one block for every transferred account in list
// order (name, URL, one line for each slot in use but at least one and at most
// four, the note), and a tail.
std::u16string PrintingListing(const AccountList& list);

// The Printing Format command: the listing of a fresh load of the data folder is
// written as 8-bit text to the document's listing file, shown, and deleted once
// the viewer returns. The load is the command's own: the document's list, which
// the form and the explorer refer to, is left as it is. Returns whether the
// listing was shown.
bool ShowPrintingListing(CReaderDoc& document);

} // namespace lk
