#include "core/protect/CoreDumps.h"

#include <gtest/gtest.h>
#include <optional>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace lk {
namespace {

rlim_t CoreLimit()
{
    rlimit limit{};
    EXPECT_EQ(::getrlimit(RLIMIT_CORE, &limit), 0);
    return limit.rlim_cur;
}

// A process that may dump core, with a core size limit above 0, as most
// programs start out.
class CoreDumps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::getrlimit(RLIMIT_CORE, &before_);
        rlimit some = before_;
        some.rlim_cur = before_.rlim_max == RLIM_INFINITY ? 4096 : before_.rlim_max;
        ::setrlimit(RLIMIT_CORE, &some);
        ::prctl(PR_SET_DUMPABLE, 1, 0, 0, 0);
        ASSERT_FALSE(CoreDumpBlock::Blocked());
    }
    void TearDown() override { ::setrlimit(RLIMIT_CORE, &before_); }

    rlimit before_{};
};

TEST_F(CoreDumps, AreBlockedWhileABlockIsHeldAndComeBackAfterIt)
{
    const rlim_t limit = CoreLimit();
    {
        const CoreDumpBlock block;
        EXPECT_TRUE(CoreDumpBlock::Blocked());
        EXPECT_EQ(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
        EXPECT_EQ(CoreLimit(), 0u);
    }
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 1);
    EXPECT_EQ(CoreLimit(), limit);
}

TEST_F(CoreDumps, StayBlockedUntilTheLastOfSeveralBlocksGoes)
{
    std::optional<CoreDumpBlock> outer;
    outer.emplace();
    {
        const CoreDumpBlock inner;
        EXPECT_TRUE(CoreDumpBlock::Blocked());
    }
    EXPECT_TRUE(CoreDumpBlock::Blocked());
    outer.reset();
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 1);
}

} // namespace
} // namespace lk
