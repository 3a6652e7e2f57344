// A save replaces an account file as a whole or not at all. A child process
// saves two versions of a few accounts in turn, over and over, and is killed
// with SIGKILL at a random moment; after every kill each account file must be,
// byte for byte, one of the two versions of its account, and nothing else in
// the data folder may look like an account file.

#include "core/document/CReaderDoc.h"
#include "core/platform/DirectoryListing.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "support/TempFolder.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace lk::test {
namespace {

constexpr int kAccounts = 5;
constexpr int kKills = 200;
constexpr std::uint32_t kSeed = 20261210;
constexpr char16_t kUser[] = u"crashtest";

// Two versions of one account that differ in length and content, so that a
// file holding parts of both, or a cut one, matches neither.
AccountRecord Version(int account, int version)
{
    AccountRecord record;
    const std::string number = std::to_string(account);
    record.AccountName = Wide("Account " + number);
    record.FileStem = "crash-" + number;
    record.Url = version == 0 ? "https://old.example/" + number : "https://new.example/login/" + number;
    record.Kind = kKindSaved;
    record.SlotCount = 3;
    record.UseCount = static_cast<std::uint32_t>(version * 1000 + account);
    record.Slots[kPasswordSlot].Value = version == 0 ? "old-password" : "a-new-and-longer-password";
    record.Comment = Wide(std::string(version == 0 ? 20 : 480, static_cast<char>('a' + account)));
    return record;
}

enum class FileState
{
    Old,
    New,
    Missing,
    Torn,
};

const char* Describe(FileState state)
{
    switch (state) {
    case FileState::Old:
        return "old";
    case FileState::New:
        return "new";
    case FileState::Missing:
        return "missing";
    case FileState::Torn:
        return "torn";
    }
    return "?";
}

class SaveCrashTest : public ::testing::Test
{
protected:
    SaveCrashTest() : document_(DocumentContext{temp_.folders(), kUser, nullptr, nullptr})
    {
        for (int k = 0; k < kAccounts; ++k) {
            for (int v = 0; v < 2; ++v) {
                versions_[k][v] = Version(k, v);
                bytes_[k][v] = WriteAccountFile(versions_[k][v], kUser);
            }
        }
    }

    std::filesystem::path AccountFile(int account) const
    {
        return temp_.folders().data / ("crash-" + std::to_string(account) + ".dat");
    }

    FileState StateOf(int account) const
    {
        std::error_code error;
        if (!std::filesystem::exists(AccountFile(account), error)) {
            return FileState::Missing;
        }
        const std::vector<std::uint8_t> bytes = ReadBytes(AccountFile(account));
        if (bytes == bytes_[account][0]) {
            return FileState::Old;
        }
        if (bytes == bytes_[account][1]) {
            return FileState::New;
        }
        return FileState::Torn;
    }

    // Saves every account in turn, alternating their versions, until killed.
    // Writes one byte to `ready` once the first save is done.
    [[noreturn]] void SaveForever(int ready, int startVersion)
    {
        for (long i = 0;; ++i) {
            const int account = static_cast<int>(i % kAccounts);
            const int version = static_cast<int>((i / kAccounts + startVersion) % 2);
            AccountRecord record = versions_[account][version];
            if (!document_.SaveAccount(record)) {
                ::_exit(2);
            }
            if (i == 0) {
                const char byte = 1;
                if (::write(ready, &byte, 1) != 1) {
                    ::_exit(3);
                }
            }
        }
    }

    // Starts a saving child, lets it run for `pause`, kills it, and reports how
    // it ended: true when SIGKILL ended it.
    bool SaveAndKill(std::chrono::microseconds pause, int startVersion)
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            return false;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            SaveForever(pipeEnds[1], startVersion);
        }
        ::close(pipeEnds[1]);
        char byte = 0;
        const bool started = child > 0 && ::read(pipeEnds[0], &byte, 1) == 1;
        ::close(pipeEnds[0]);
        if (child < 0) {
            return false;
        }
        if (started) {
            std::this_thread::sleep_for(pause);
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        return started && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    // Every name in the data folder that ends in ".dat" is one of the accounts'.
    std::vector<std::string> StrayAccountLookalikes() const
    {
        std::vector<std::string> strays;
        for (const std::string& name : ListDatFiles(temp_.folders().data)) {
            bool isAccount = false;
            for (int k = 0; k < kAccounts; ++k) {
                isAccount = isAccount || name == AccountFile(k).filename().string();
            }
            if (!isAccount) {
                strays.push_back(name);
            }
        }
        return strays;
    }

    TempFolder temp_;
    CReaderDoc document_;
    std::array<std::array<AccountRecord, 2>, kAccounts> versions_;
    std::array<std::array<std::vector<std::uint8_t>, 2>, kAccounts> bytes_;
};

TEST_F(SaveCrashTest, EveryKilledSaveLeavesTheOldOrTheNewFile)
{
    for (int k = 0; k < kAccounts; ++k) {
        AccountRecord record = versions_[k][0];
        ASSERT_TRUE(document_.SaveAccount(record));
    }

    std::mt19937 random(kSeed);
    // From no pause at all to a few saves' time: most kills land inside a save.
    std::uniform_int_distribution<int> pauseMicroseconds(0, 4000);
    std::array<int, 2> seen{};
    for (int round = 0; round < kKills; ++round) {
        SCOPED_TRACE("kill " + std::to_string(round) + " of seed " + std::to_string(kSeed));
        ASSERT_TRUE(SaveAndKill(std::chrono::microseconds(pauseMicroseconds(random)), round % 2))
            << "the saving child ended other than by the kill";

        for (int k = 0; k < kAccounts; ++k) {
            const FileState state = StateOf(k);
            ASSERT_TRUE(state == FileState::Old || state == FileState::New)
                << "account " << k << " is " << Describe(state) << " after the kill";
            ++seen[state == FileState::New ? 1 : 0];
        }
        ASSERT_EQ(StrayAccountLookalikes(), std::vector<std::string>{});
    }
    // Both versions turned up, so the kills did land between saves of either kind.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);

    // And the store loads exactly the accounts, whatever the kills left beside them.
    AccountList loaded;
    EXPECT_TRUE(document_.LoadAllAccounts(loaded));
    EXPECT_EQ(loaded.GetCount(), kAccounts);
}

// The check above is only worth something if it tells a torn file: a cut file
// and a file that holds the start of one version and the end of the other.
TEST_F(SaveCrashTest, TheCheckTellsATornFile)
{
    const std::vector<std::uint8_t>& oldBytes = bytes_[0][0];
    const std::vector<std::uint8_t>& newBytes = bytes_[0][1];

    WriteBytes(AccountFile(0), std::vector<std::uint8_t>(newBytes.begin(), newBytes.begin() + newBytes.size() / 2));
    EXPECT_EQ(StateOf(0), FileState::Torn);

    std::vector<std::uint8_t> mixed = newBytes;
    std::copy(oldBytes.begin(), oldBytes.end(), mixed.begin());
    WriteBytes(AccountFile(0), mixed);
    EXPECT_EQ(StateOf(0), FileState::Torn);

    WriteBytes(AccountFile(0), oldBytes);
    EXPECT_EQ(StateOf(0), FileState::Old);
    WriteBytes(temp_.folders().data / "leftover.DAT", oldBytes);
    EXPECT_EQ(StrayAccountLookalikes(), std::vector<std::string>{"leftover.DAT"});
}

} // namespace
} // namespace lk::test
