#include "core/platform/PrivatePermissions.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lk {

#ifndef _WIN32
namespace {

// Closes the descriptor it holds when it goes.
class OpenedPath
{
public:
    explicit OpenedPath(int fd) : fd_(fd) {}
    OpenedPath(const OpenedPath&) = delete;
    OpenedPath& operator=(const OpenedPath&) = delete;
    ~OpenedPath()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kOthersBits = 077;

} // namespace
#endif

void TightenPrivateFolder(const std::filesystem::path& folder)
{
#ifndef _WIN32
    // Changed through the opened folder, so the folder looked at is the one changed.
    const OpenedPath opened(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info
    {};
    if (!opened.valid() || ::fstat(opened.get(), &info) != 0 || info.st_uid != ::geteuid() ||
        (info.st_mode & kOthersBits) == 0) {
        return;
    }
    ::fchmod(opened.get(), 0700);
#else
    static_cast<void>(folder);
#endif
}

bool MakePrivateFile(const std::filesystem::path& file)
{
#ifndef _WIN32
    // No link is followed: the file must be the one at this name.
    const OpenedPath opened(::open(file.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
    struct stat info
    {};
    if (!opened.valid() || ::fstat(opened.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        return false;
    }
    return (info.st_mode & kPermissionBits) == 0600 || ::fchmod(opened.get(), 0600) == 0;
#else
    static_cast<void>(file);
    return true;
#endif
}

} // namespace lk
