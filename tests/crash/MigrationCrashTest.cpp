// The legacy conversion saves every account of the combined file exactly once,
// however often it is cut short. A child process converts a combined file and
// is killed with SIGKILL at a random moment, a few times over; then one
// conversion runs to its end, and every account of the file must be in the
// data folder once, none twice, none missing, and no file torn.

#include "core/document/CReaderDoc.h"
#include "core/platform/DirectoryListing.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace lk::test {
namespace {

constexpr int kRounds = 12;
constexpr int kKillsPerRound = 3;
constexpr int kLines = 100;
constexpr std::uint32_t kSeed = 20261211;
constexpr char16_t kUser[] = u"crashtest";

// The combined file: most lines without a stem (the case that duplicated
// accounts), every tenth with one of its own.
std::vector<std::uint8_t> CombinedFile()
{
    std::u16string body;
    for (int i = 0; i < kLines; ++i) {
        AccountRecord record;
        const std::string number = std::to_string(i);
        record.AccountName = std::u16string(u"Legacy ") + std::u16string(number.begin(), number.end());
        record.Url = "https://legacy.example/" + number;
        record.SlotCount = 3;
        record.Slots[kPasswordSlot].Value = "password-" + number;
        if (i % 10 == 0) {
            record.FileStem = "own-" + number;
        }
        body += FormatAccountLine(record);
    }
    // The header of an account file, with the record count; the body is the
    // lines, scrambled as one stream.
    AccountFileHeader header = AccountFileHeader::ForUser(kUser);
    header.recordCount = kLines;
    const auto encoded = header.Encode();
    std::vector<std::uint8_t> bytes(encoded.begin(), encoded.end());
    ScrambleText(body, kUser);
    for (const char16_t unit : body) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

class MigrationCrashTest : public ::testing::Test
{
protected:
    TempFolder temp_;
    Folders folders_ = temp_.folders();

    std::filesystem::path Combined() const { return folders_.data / "LedgerKeeper.dat"; }

    // A converting child killed after `pause`, or as soon as the first account
    // file has its name. True when the kill ended the child (false when it had
    // finished already).
    bool ConvertAndKill(std::optional<std::chrono::microseconds> pause)
    {
        const auto convert = [this] {
            CReaderDoc document(DocumentContext{folders_, kUser, nullptr, nullptr});
            return document.MigrateCombinedFile() ? 0 : 1;
        };
        return RunAndKill(convert, pause, folders_.data, ListDatFiles(folders_.data).size());
    }

    // How often each account name is in the data folder; -1 under "" for each
    // file that ends in ".dat" but does not load as an account.
    std::map<std::u16string, int> AccountsOnDisk()
    {
        CReaderDoc document(DocumentContext{folders_, kUser, nullptr, nullptr});
        AccountList list;
        document.LoadAllAccounts(list);
        std::map<std::u16string, int> count;
        for (const auto& record : list) {
            ++count[record->AccountName.str()];
        }
        std::size_t files = 0;
        for (const std::string& name : ListDatFiles(folders_.data)) {
            files += name == "LedgerKeeper.dat" ? 0 : 1;
        }
        if (files != static_cast<std::size_t>(list.GetCount())) {
            count[u""] = -1;
        }
        return count;
    }
};

TEST_F(MigrationCrashTest, EveryAccountExistsOnceAfterAnyKills)
{
    const std::vector<std::uint8_t> combined = CombinedFile();
    std::mt19937 random(kSeed);
    // From no pause to about the length of a whole conversion.
    std::uniform_int_distribution<int> pauseMicroseconds(0, 40000);
    int cutShort = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + " of seed " + std::to_string(kSeed));
        std::filesystem::remove_all(folders_.data);
        std::filesystem::create_directories(folders_.data);
        WriteBytes(Combined(), combined);
        for (int kill = 0; kill < kKillsPerRound; ++kill) {
            std::optional<std::chrono::microseconds> pause;
            if (kill != 1) {
                pause = std::chrono::microseconds(pauseMicroseconds(random));
            }
            const bool killed = ConvertAndKill(pause);
            cutShort += killed && std::filesystem::exists(Combined()) ? 1 : 0;
            for (const auto& [name, times] : AccountsOnDisk()) {
                ASSERT_EQ(times, 1) << "after a kill: \"" << std::string(name.begin(), name.end()) << "\"";
            }
        }
        CReaderDoc document(DocumentContext{folders_, kUser, nullptr, nullptr});
        document.MigrateCombinedFile();
        EXPECT_FALSE(std::filesystem::exists(Combined()));
        const std::map<std::u16string, int> accounts = AccountsOnDisk();
        EXPECT_EQ(accounts.size(), static_cast<std::size_t>(kLines));
        for (const auto& [name, times] : accounts) {
            ASSERT_EQ(times, 1) << "\"" << std::string(name.begin(), name.end()) << "\"";
        }
    }
    // The kills did cut conversions short, so the reruns were put to the test.
    EXPECT_GT(cutShort, 0);
    RecordProperty("conversions cut short", cutShort);
}

} // namespace
} // namespace lk::test
