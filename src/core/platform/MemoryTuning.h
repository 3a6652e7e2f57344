#pragma once

namespace lk {

// Every refresh frees all account records and loads them again at once (a few
// kilobytes each, tens of megabytes for a large store). Handing that memory back
// to the system after each refresh and faulting it in again costs more than
// reading the files; the programs call this once at start so the allocator keeps it.
void KeepFreedMemoryForReuse();

} // namespace lk
