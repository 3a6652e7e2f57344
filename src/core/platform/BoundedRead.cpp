#include "core/platform/BoundedRead.h"

#ifndef _WIN32
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace lk {

bool ReadOpenRegularFile(int fd, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return false;
    }
    // One byte more than the size: a read that fills less than the buffer has
    // met the end of the file, so a file read whole takes a single read. The
    // store reads every account file at every refresh.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file grew while being read; never past one byte over the bound.
            if (done > maxBytes) {
                bytes.clear();
                return false;
            }
            bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
        }
        const std::size_t wanted = bytes.size() - done;
        const ssize_t got = ::read(fd, bytes.data() + done, wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.clear();
            return false;
        }
        done += static_cast<std::size_t>(got);
        if (static_cast<std::size_t>(got) < wanted) {
            break;
        }
    }
    if (done > maxBytes) {
        bytes.clear();
        return false;
    }
    bytes.resize(done);
    return true;
}

} // namespace lk
#endif
