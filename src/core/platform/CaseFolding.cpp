#include "core/platform/CaseFolding.h"

#include <limits>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace lk {

std::u16string FoldCase(std::u16string_view text)
{
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 3)) {
        return std::u16string(text);
    }
    const auto length = static_cast<int32_t>(text.size());
    // Full folding can make a text longer ("ß" becomes "ss", "ŉ" two units, some
    // letters three), never more than three times as long.
    std::u16string folded(text.size() * 3, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()), text.data(), length,
                                          U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status) || written < 0) {
        return std::u16string(text);
    }
    folded.resize(static_cast<std::size_t>(written));
    return folded;
}

} // namespace lk
