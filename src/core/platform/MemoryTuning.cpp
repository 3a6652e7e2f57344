#include "core/platform/MemoryTuning.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace lk {

void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    constexpr int kKeptBytes = 256 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, kKeptBytes);
#endif
}

} // namespace lk
