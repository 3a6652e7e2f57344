#pragma once

namespace lk {

// Registers the program's built-in resources (icons, banner, manual). The
// resources live in a static library, where nothing else would pull them in.
void InitResources();

} // namespace lk
