#pragma once

// The permission bits of files and folders, and the umask they were made under.
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk::test {

// The permission bits of the entry itself (a link is not followed).
inline mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info
    {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Runs with the process's umask set to `mask`, and puts the old one back.
class WithUmask
{
public:
    explicit WithUmask(mode_t mask) : old_(::umask(mask)) {}
    WithUmask(const WithUmask&) = delete;
    WithUmask& operator=(const WithUmask&) = delete;
    ~WithUmask() { ::umask(old_); }

private:
    mode_t old_;
};

} // namespace lk::test
