#include "core/platform/OpenFolder.h"

#include "core/platform/BoundedRead.h"
#include "core/platform/DirectoryListing.h"

#ifndef _WIN32
#include <fcntl.h>
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
    return ReadOpenRegularFile(fd.get(), maxBytes, bytes);
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
