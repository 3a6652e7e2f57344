#include "core/platform/FolderLock.h"

#include "core/platform/FileDescriptor.h"

#include <cerrno>
#include <map>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif

namespace lk {
namespace {

// One process-wide turn for every folder lock: threads queue here, processes
// on the folder's own lock.
std::recursive_mutex& Turn()
{
    static std::recursive_mutex turn;
    return turn;
}

#ifndef _WIN32
struct HeldFolder
{
    FileDescriptor fd;
    int depth = 0;
};

// The folders this process holds locked. A second descriptor of a folder
// already locked would wait for this very process, so nested locks count up on
// the first one instead.
std::map<std::pair<unsigned long long, unsigned long long>, HeldFolder>& HeldFolders()
{
    static std::map<std::pair<unsigned long long, unsigned long long>, HeldFolder> held;
    return held;
}
#endif

} // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) : turn_(Turn())
{
#ifndef _WIN32
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info
    {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        return;
    }
    const std::pair<unsigned long long, unsigned long long> key{info.st_dev, info.st_ino};
    auto& held = HeldFolders();
    if (const auto it = held.find(key); it != held.end()) {
        ++it->second.depth;
        key_ = key;
        return;
    }
    int locked = 0;
    do {
        locked = ::flock(fd.get(), LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        return;
    }
    held.emplace(key, HeldFolder{std::move(fd), 1});
    key_ = key;
#else
    static_cast<void>(folder);
#endif
}

FolderLock::~FolderLock()
{
#ifndef _WIN32
    if (!key_) {
        return;
    }
    auto& held = HeldFolders();
    const auto it = held.find(*key_);
    if (it != held.end() && --it->second.depth == 0) {
        // Closing the descriptor releases the lock.
        held.erase(it);
    }
#endif
}

} // namespace lk
