#include "core/platform/FileTime.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

TEST(FileTime, CountsHundredNanosecondsSince1601)
{
    const auto unixEpoch = std::chrono::system_clock::time_point{};
    EXPECT_EQ(FileTime::FromSystemClock(unixEpoch).ticks, 116444736000000000ULL);
    const auto later = unixEpoch + std::chrono::seconds(1) + std::chrono::microseconds(3);
    EXPECT_EQ(FileTime::FromSystemClock(later).ticks, 116444736000000000ULL + 10'000'000ULL + 30ULL);
}

TEST(FileTime, SplitsIntoHalves)
{
    const FileTime time{(std::uint64_t{30000000} << 32) | 1234};
    EXPECT_EQ(time.High(), 30000000u);
    EXPECT_EQ(time.Low(), 1234u);
}

TEST(FileTime, NowIsAfter2020)
{
    EXPECT_GT(FileTime::Now().ticks, 132223104000000000ULL); // 2020-01-01
}

} // namespace
} // namespace lk
