#pragma once

#include <cstddef>

namespace lk {

// Overwrites `size` bytes at `memory` with zeros in a way the compiler may not
// leave out, although nothing reads them afterwards: memory that held an
// account's fields (passwords among them) is wiped before it goes back to the
// allocator, where any later allocation could see it.
void WipeMemory(void* memory, std::size_t size) noexcept;

} // namespace lk
