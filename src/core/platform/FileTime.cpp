#include "core/platform/FileTime.h"

namespace lk {

namespace {
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifferenceSeconds = 11644473600LL;
} // namespace

FileTime FileTime::FromSystemClock(std::chrono::system_clock::time_point time)
{
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    const auto sinceUnix = std::chrono::duration_cast<Ticks>(time.time_since_epoch()).count();
    return FileTime{static_cast<std::uint64_t>(sinceUnix + kEpochDifferenceSeconds * 10'000'000LL)};
}

FileTime FileTime::Now()
{
    return FromSystemClock(std::chrono::system_clock::now());
}

} // namespace lk
