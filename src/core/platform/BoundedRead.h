#pragma once

#ifndef _WIN32
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lk {

// Reads the whole of the open file `fd` into `bytes`, replacing what they held.
// False, with `bytes` empty, unless what is open is a regular file of at most
// `maxBytes` bytes, also when it grows past that while being read.
bool ReadOpenRegularFile(int fd, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);

} // namespace lk
#endif
