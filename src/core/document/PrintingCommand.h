#pragma once

namespace lk {

class CReaderDoc;

// The Printing Format command: the listing of a fresh load of the data folder is
// written as 8-bit text to the document's listing file, shown, and deleted once
// the viewer returns. The load is the command's own: the document's list, which
// the form and the explorer refer to, is left as it is. A listing file that
// cannot be written whole is shown all the same (the viewer then shows what
// there is), and the outcome says so.
enum class PrintingOutcome
{
    Shown,      // the whole listing was written and shown
    NotWritten, // the listing file could not be written whole (the viewer ran all the same)
    NotShown,   // written, but the viewer failed
};

[[nodiscard]] PrintingOutcome ShowPrintingListing(CReaderDoc& document);

} // namespace lk
