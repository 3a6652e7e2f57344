#include "core/platform/FileInfo.h"

#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace lk {

namespace {
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kEpochDifferenceSeconds = 11644473600ULL;
constexpr std::uint64_t kTicksPerSecond = 10'000'000ULL;
} // namespace

std::optional<FileInfo> ReadFileInfo(const std::filesystem::path& file)
{
#ifndef _WIN32
    struct stat info
    {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // Times before 1601 can't be written as a file time; they count as its start.
    const std::int64_t seconds =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) + static_cast<std::int64_t>(kEpochDifferenceSeconds);
    const std::uint64_t ticks = seconds < 0 ? 0
                                            : static_cast<std::uint64_t>(seconds) * kTicksPerSecond +
                                                  static_cast<std::uint64_t>(info.st_mtim.tv_nsec) / 100;
    return FileInfo{static_cast<std::uint64_t>(info.st_size), FileTime{ticks}};
#else
    // The file clock of the Windows library counts exactly the file time's units.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        return std::nullopt;
    }
    const auto time = std::filesystem::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return FileInfo{size, FileTime{static_cast<std::uint64_t>(time.time_since_epoch().count())}};
#endif
}

bool SetLastWriteTime(const std::filesystem::path& file, FileTime time)
{
#ifndef _WIN32
    const std::int64_t seconds =
        static_cast<std::int64_t>(time.ticks / kTicksPerSecond) - static_cast<std::int64_t>(kEpochDifferenceSeconds);
    const long nanoseconds = static_cast<long>(time.ticks % kTicksPerSecond) * 100;
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), nanoseconds}};
    return ::utimensat(AT_FDCWD, file.c_str(), times, 0) == 0;
#else
    using Clock = std::filesystem::file_time_type;
    std::error_code error;
    std::filesystem::last_write_time(file, Clock(Clock::duration(static_cast<Clock::duration::rep>(time.ticks))),
                                     error);
    return !error;
#endif
}

} // namespace lk
