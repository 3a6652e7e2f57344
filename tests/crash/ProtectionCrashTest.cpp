// Turning protection on or off is safe at every moment: a child process runs
// the change and stops dead before one file operation after another (the key
// file, each account file); after every stop the data folder must load every
// account whole (with the master password while the key file exists), and
// running the change again must finish it.
#include "core/document/CReaderDoc.h"
#include "core/document/StoreProtection.h"
#include "core/platform/TextConversion.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace lk::test {
namespace {

constexpr char16_t kUser[] = u"crashtest";
constexpr int kAccounts = 4;
constexpr int kStopped = 42;

SecretBuffer Master()
{
    return std::move(*SecretBuffer::CopyOf(std::string_view("the master password")));
}

AccountRecord Account(int i)
{
    AccountRecord record;
    record.AccountName = u"Account " + Wide(std::to_string(i));
    record.FileStem = "crash-" + std::to_string(i);
    record.Url = "https://site.example/" + std::to_string(i);
    record.Kind = kKindSaved;
    record.SlotCount = 2;
    record.Slots[0].Flag = 1;
    record.Slots[0].Value = "password-" + std::to_string(i);
    record.Comment = u"comment";
    return record;
}

enum class Change
{
    On,
    Off,
};

class ProtectionCrashTest : public ::testing::TestWithParam<Change>
{
protected:
    std::unique_ptr<CReaderDoc> Document() const
    {
        return std::make_unique<CReaderDoc>(DocumentContext{temp_.folders(), kUser, nullptr, nullptr});
    }

    // The store before the change: scrambled account files, and protected ones
    // with their key file when the change turns protection off.
    void Prepare() const
    {
        auto document = Document();
        for (int i = 0; i < kAccounts; ++i) {
            AccountRecord record = Account(i);
            ASSERT_TRUE(document->SaveAccount(record));
        }
        if (GetParam() == Change::Off) {
            ASSERT_EQ(ProtectStore(*document, Master(), KeyDerivationCost::Least()), ProtectionOutcome::Done);
        }
    }

    ProtectionOutcome Run(const ProtectionStep& step) const
    {
        auto document = Document();
        return GetParam() == Change::On ? ProtectStore(*document, Master(), KeyDerivationCost::Least(), step)
                                        : UnprotectStore(*document, Master(), step);
    }

    // Runs the change in a child that stops before its file operation number
    // `stop`. True when the child stopped there; false when it finished first.
    bool RunStoppingAt(int stop) const
    {
        const pid_t child = ::fork();
        if (child == 0) {
            int seen = 0;
            Run([&](std::string_view) {
                if (seen++ == stop) {
                    ::_exit(kStopped);
                }
            });
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        return WIFEXITED(status) && WEXITSTATUS(status) == kStopped;
    }

    // Every account loads, whole, in whatever format the store is now.
    void ExpectEveryAccount(const std::string& when) const
    {
        SCOPED_TRACE(when);
        auto document = Document();
        if (ProtectionKeyFile::ExistsIn(temp_.folders().data)) {
            UnlockResult unlocked = UnlockStore(temp_.folders().data, Master());
            ASSERT_EQ(unlocked.outcome, ProtectionOutcome::Done);
            document->UseStoreKey(std::move(unlocked.key));
        }
        AccountList list;
        document->LoadAllAccounts(list);
        ASSERT_EQ(list.GetCount(), kAccounts);
        std::map<std::string, std::u16string> lines;
        for (const auto& record : list) {
            lines[record->FileStem.str()] = FormatAccountLine(*record);
        }
        for (int i = 0; i < kAccounts; ++i) {
            EXPECT_EQ(lines[Account(i).FileStem.str()], FormatAccountLine(Account(i))) << i;
        }
    }

    // The change has run whole: every file in the new format.
    void ExpectFinished() const
    {
        const std::filesystem::path data = temp_.folders().data;
        EXPECT_EQ(ProtectionKeyFile::ExistsIn(data), GetParam() == Change::On);
        for (int i = 0; i < kAccounts; ++i) {
            const auto bytes = ReadBytes(data / (Account(i).FileStem.str() + ".dat"));
            if (GetParam() == Change::On) {
                EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes)) << i;
            } else {
                EXPECT_EQ(bytes, WriteAccountFile(Account(i), kUser)) << i;
            }
        }
        ExpectEveryAccount("finished");
    }

    TempFolder temp_;
};

TEST_P(ProtectionCrashTest, EveryStopLeavesAStoreThatLoadsWholeAndARunAgainFinishes)
{
    int stops = 0;
    for (int stop = 0;; ++stop) {
        std::filesystem::remove_all(temp_.folders().product);
        Prepare();
        const bool stopped = RunStoppingAt(stop);
        ExpectEveryAccount("after a stop before file operation " + std::to_string(stop));
        if (!stopped) {
            ExpectFinished();
            break;
        }
        ++stops;
        EXPECT_EQ(Run({}), ProtectionOutcome::Done);
        ExpectFinished();
    }
    // The key file and every account file: each was a moment to stop at.
    EXPECT_EQ(stops, kAccounts + 1);
}

INSTANTIATE_TEST_SUITE_P(Protection, ProtectionCrashTest, ::testing::Values(Change::On, Change::Off),
                         [](const auto& info) { return info.param == Change::On ? "TurningOn" : "TurningOff"; });

} // namespace
} // namespace lk::test
