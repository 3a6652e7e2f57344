#pragma once

#include <string_view>

namespace lk {

// The captions of the program's questions and messages, exactly as the user
// sees them.
inline constexpr std::u16string_view kWarningCaption = u"LedgerKeeper - Warning";
inline constexpr std::u16string_view kErrorCaption = u"LedgerKeeper - Error";
// The import's refusal of the data folder carries the bare caption.
inline constexpr std::u16string_view kBareErrorCaption = u"Error";
inline constexpr std::u16string_view kInformationCaption = u"Information";
// What an import of another program's file did.
inline constexpr std::u16string_view kImportSummaryCaption = u"LedgerKeeper - Import";

} // namespace lk
