#include "core/platform/WipeMemory.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <string.h> // explicit_bzero
#endif

namespace lk {

void WipeMemory(void* memory, std::size_t size) noexcept
{
    if (memory == nullptr || size == 0) {
        return;
    }
#if defined(_WIN32)
    SecureZeroMemory(memory, size);
#else
    ::explicit_bzero(memory, size);
#endif
}

} // namespace lk
