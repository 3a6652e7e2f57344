#pragma once

#include <chrono>
#include <cstdint>

namespace lk {

// A point in time as the account file names and the update description carry it:
// 100-nanosecond units since 1 January 1601, UTC.
struct FileTime
{
    std::uint64_t ticks = 0;

    std::uint32_t High() const { return static_cast<std::uint32_t>(ticks >> 32); }
    std::uint32_t Low() const { return static_cast<std::uint32_t>(ticks & 0xFFFFFFFFu); }

    static FileTime FromSystemClock(std::chrono::system_clock::time_point time);
    static FileTime Now();
    friend bool operator==(FileTime, FileTime) = default;
};

} // namespace lk
