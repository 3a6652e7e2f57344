#pragma once

#include "core/platform/FileTime.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lk {

// What the update check compares of a local file: its size and its last-write
// time as a file time, so that a description made from the files on this
// machine matches them.
struct FileInfo
{
    std::uint64_t size = 0;
    FileTime lastWrite;
};

// The size and last-write time of a regular file (links followed), or nothing
// when there is no regular file of that name.
std::optional<FileInfo> ReadFileInfo(const std::filesystem::path& file);

// Sets a file's last-write time; false when it cannot be set.
bool SetLastWriteTime(const std::filesystem::path& file, FileTime time);

} // namespace lk
