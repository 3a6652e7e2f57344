#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <utility>

namespace lk {

// An exclusive advisory lock on a folder, held for as long as the object lives,
// so that every process that changes the folder's files (the window, the
// command-line tool, several of either) takes its turn. The lock sits on the
// folder itself: no lock file appears among the user's files.
//
// Locks nest: a lock taken while this thread already holds one on the same
// folder returns at once and releases nothing when it ends. Threads of one
// process take turns as processes do. When the folder cannot be opened there
// is nothing to guard, and the object holds no lock.
class FolderLock
{
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    FolderLock(FolderLock&&) = delete;
    FolderLock& operator=(FolderLock&&) = delete;

    // Whether the folder is locked (by this object or an outer one).
    bool Held() const { return key_.has_value(); }

private:
    std::unique_lock<std::recursive_mutex> turn_;
    // The folder's device and inode: the same folder under two paths is one lock.
    std::optional<std::pair<unsigned long long, unsigned long long>> key_;
};

} // namespace lk
