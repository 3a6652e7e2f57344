#include "core/platform/OpenFolder.h"

#include "core/platform/DirectoryListing.h"

#ifndef _WIN32
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include "core/platform/PrivateFile.h"
#endif

namespace lk {

#ifndef _WIN32
OpenFolder::OpenFolder(const std::filesystem::path& folder)
    : folder_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK))
{}

bool OpenFolder::IsOpen() const
{
    return folder_.valid();
}

std::vector<std::string> OpenFolder::DatFiles() const
{
    return IsOpen() ? ListDatFilesAt(folder_.get()) : std::vector<std::string>{};
}

bool OpenFolder::ReadRegularFile(const std::string& name, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) const
{
    bytes.clear();
    if (!IsOpen()) {
        return false;
    }
    const FileDescriptor fd(
        ::openat(folder_.get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    if (!fd.valid()) {
        return false;
    }
    struct stat info
    {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return false;
    }
    // One byte more than the size: a read that fills less than the buffer has
    // met the end of the file, so a file read whole takes a single read.
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
        const ssize_t got = ::read(fd.get(), bytes.data() + done, wanted);
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
#else
OpenFolder::OpenFolder(const std::filesystem::path& folder) : folder_(folder) {}

bool OpenFolder::IsOpen() const
{
    return true;
}

std::vector<std::string> OpenFolder::DatFiles() const
{
    return ListDatFiles(folder_);
}

bool OpenFolder::ReadRegularFile(const std::string& name, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) const
{
    auto read = lk::ReadRegularFile(folder_ / name, maxBytes, LinkRule::Refuse);
    bytes = read ? std::move(*read) : std::vector<std::uint8_t>{};
    return read.has_value();
}
#endif

} // namespace lk
