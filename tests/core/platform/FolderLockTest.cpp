#include "core/platform/FolderLock.h"

#include "support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace lk {
namespace {

class FolderLockTest : public testing::Test
{
protected:
    test::TempFolder temp;
    std::filesystem::path folder = temp.path();

    // A waiting lock that never came would hang the test: the alarm ends it.
    void SetUp() override { ::alarm(120); }
    void TearDown() override { ::alarm(0); }

    // Whether another process could take the folder's lock right now.
    bool FreeForAnotherProcess() const
    {
        const pid_t child = ::fork();
        if (child == 0) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
            ::_exit(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

TEST_F(FolderLockTest, HeldForTheObjectsLifetimeAndNested)
{
    EXPECT_TRUE(FreeForAnotherProcess());
    {
        const FolderLock outer(folder);
        EXPECT_TRUE(outer.Held());
        EXPECT_FALSE(FreeForAnotherProcess());
        {
            // The same folder by another path: the inner lock does not wait for the outer one.
            const FolderLock inner(folder / "." / "");
            EXPECT_TRUE(inner.Held());
        }
        // Ending the inner lock leaves the outer one in force.
        EXPECT_FALSE(FreeForAnotherProcess());
    }
    EXPECT_TRUE(FreeForAnotherProcess());
    // No lock file among the folder's files.
    EXPECT_EQ(test::FileNames(folder), std::vector<std::string>{});
}

TEST_F(FolderLockTest, AMissingFolderHoldsNothing)
{
    const FolderLock lock(folder / "missing");
    EXPECT_FALSE(lock.Held());
}

// Processes that each add to a counter file under the lock, with a read and a
// write apart: without the lock they lose additions, with it none.
TEST_F(FolderLockTest, ProcessesTakeTurns)
{
    constexpr int kProcesses = 4;
    constexpr int kAdditions = 250;
    const std::filesystem::path counter = folder / "counter";
    test::WriteBytes(counter, {'0'});
    const auto readCount = [&counter] {
        const std::vector<std::uint8_t> bytes = test::ReadBytes(counter);
        return std::stoi(std::string(bytes.begin(), bytes.end()));
    };
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0; i < kAdditions; ++i) {
                const FolderLock lock(folder);
                const std::string next = std::to_string(readCount() + 1);
                test::WriteBytes(counter, std::vector<std::uint8_t>(next.begin(), next.end()));
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(readCount(), kProcesses * kAdditions);
}

} // namespace
} // namespace lk
