#pragma once

#include <string>
#include <string_view>

namespace lk {

// `text` with full Unicode case folding (ICU's default folding, the one that
// turns "ß" into "ss" and "Σ"/"ς" into "σ"): two texts that differ only in case
// fold to the same text, so a search can compare folded texts exactly.
// A lone surrogate is kept as it is.
std::u16string FoldCase(std::u16string_view text);

} // namespace lk
