#pragma once

namespace lk {

class CReaderDoc;

// The Printing Format command: the listing of a fresh load of the data folder is
// written as 8-bit text to the document's listing file, shown, and deleted once
// the viewer returns. The load is the command's own: the document's list, which
// the form and the explorer refer to, is left as it is. Returns whether the
// listing was shown.
[[nodiscard]] bool ShowPrintingListing(CReaderDoc& document);

} // namespace lk
