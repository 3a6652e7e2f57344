// An import saves its new accounts as one batch, flushed to the disk once;
// that must keep what saving them one by one guaranteed, for a file of account
// lines and for a CSV file alike. A child process imports a file of new
// accounts and is killed with SIGKILL at a random moment; after every kill each
// account file of the data folder must load whole, the accounts that were there
// before must be byte for byte as they were, and no imported account may be
// there twice. An import run to its end afterwards leaves every account of the
// file there exactly once.

#include "core/document/CReaderDoc.h"
#include "core/document/ImportCommand.h"
#include "core/platform/DirectoryListing.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "core/transfer/CsvExport.h"
#include "core/transfer/TransferText.h"
#include "support/Processes.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>

namespace lk::test {
namespace {

constexpr int kRounds = 10;
constexpr int kKillsPerRound = 4;
constexpr int kImported = 300;
constexpr int kKept = 5;
constexpr std::uint32_t kSeed = 20261212;
constexpr char16_t kUser[] = u"crashtest";

AccountRecord Numbered(const std::string& prefix, int i)
{
    AccountRecord record;
    const std::string number = std::to_string(i);
    const std::string name = prefix + " " + number;
    record.AccountName = std::u16string(name.begin(), name.end());
    record.Url = "https://" + prefix + ".example/" + number;
    record.Kind = kKindSaved;
    record.SlotCount = 3;
    record.Slots[kPasswordSlot].Value = "password-" + number;
    return record;
}

enum class ImportFile
{
    AccountLines,
    Csv,
};

class ImportCrashTest : public ::testing::TestWithParam<ImportFile>
{
protected:
    TempFolder temp_;
    Folders folders_ = temp_.folders();
    std::filesystem::path importFile_ = temp_.path() / "import.txt";
    std::map<std::string, std::vector<std::uint8_t>> kept_;

    void SetUp() override
    {
        // A child that never let go would hang the test: the alarm ends it.
        ::alarm(300);
        if (GetParam() == ImportFile::AccountLines) {
            std::u16string text;
            for (int i = 0; i < kImported; ++i) {
                text += FormatAccountLine(Numbered("imported", i));
            }
            WriteBytes(importFile_, EncodeUtf16Le(text));
        } else {
            AccountList list;
            for (int i = 0; i < kImported; ++i) {
                list.Add(std::make_unique<AccountRecord>(Numbered("imported", i)));
            }
            const std::string text = CsvExportText(list);
            WriteBytes(importFile_, std::vector<std::uint8_t>(text.begin(), text.end()));
        }
    }

    void TearDown() override { ::alarm(0); }

    // An empty store but for a few accounts that the import must not touch.
    void FreshStore()
    {
        std::filesystem::remove_all(folders_.product);
        CReaderDoc document(DocumentContext{folders_, kUser, nullptr, nullptr});
        kept_.clear();
        for (int i = 0; i < kKept; ++i) {
            AccountRecord record = Numbered("kept", i);
            record.FileStem = "kept-" + std::to_string(i);
            ASSERT_TRUE(document.SaveAccount(record));
            kept_[record.FileStem.str() + ".dat"] = WriteAccountFile(record, kUser);
        }
    }

    int Import()
    {
        ScriptedDesktop desktop;
        desktop.chosenFiles = {importFile_};
        CReaderDoc document(DocumentContext{folders_, kUser, &desktop, nullptr});
        return ImportAccounts(document) == TransferOutcome::Done ? 0 : 1;
    }

    // An importing child killed after `pause`, or as soon as its first account
    // file has its name. True when the kill ended the child.
    bool ImportAndKill(std::optional<std::chrono::microseconds> pause)
    {
        return RunAndKill([this] { return Import(); }, pause, folders_.data, static_cast<std::size_t>(kKept));
    }

    // How often each imported account is in the data folder. Fails the test
    // for a torn file or a changed account that was there before.
    std::map<std::u16string, int> CheckedStore()
    {
        CReaderDoc document(DocumentContext{folders_, kUser, nullptr, nullptr});
        AccountList list;
        EXPECT_TRUE(document.LoadAllAccounts(list));
        const std::vector<std::string> files = ListDatFiles(folders_.data);
        EXPECT_EQ(files.size(), static_cast<std::size_t>(list.GetCount())) << "a file that does not load";
        for (const auto& [name, bytes] : kept_) {
            EXPECT_EQ(ReadBytes(folders_.data / name), bytes) << name;
        }
        std::map<std::u16string, int> imported;
        for (const auto& record : list) {
            if (record->FileStem.view().rfind("kept-", 0) != 0) {
                ++imported[record->AccountName.str()];
            }
        }
        return imported;
    }
};

TEST_P(ImportCrashTest, EveryKilledImportLeavesWholeFilesAndNoAccountTwice)
{
    std::mt19937 random(kSeed);
    // From no pause to about the length of a whole import.
    std::uniform_int_distribution<int> pauseMicroseconds(0, 40000);
    int cutShort = 0;
    int partlyImported = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + " of seed " + std::to_string(kSeed));
        FreshStore();
        for (int kill = 0; kill < kKillsPerRound; ++kill) {
            std::optional<std::chrono::microseconds> pause;
            if (kill % 2 == 0) {
                pause = std::chrono::microseconds(pauseMicroseconds(random));
            }
            cutShort += ImportAndKill(pause) ? 1 : 0;
            const std::map<std::u16string, int> imported = CheckedStore();
            partlyImported += !imported.empty() && imported.size() < kImported ? 1 : 0;
            for (const auto& [name, times] : imported) {
                ASSERT_EQ(times, 1) << "after a kill: \"" << std::string(name.begin(), name.end()) << "\"";
            }
        }
        EXPECT_EQ(Import(), 0);
        const std::map<std::u16string, int> imported = CheckedStore();
        EXPECT_EQ(imported.size(), static_cast<std::size_t>(kImported));
        for (const auto& [name, times] : imported) {
            ASSERT_EQ(times, 1) << "\"" << std::string(name.begin(), name.end()) << "\"";
        }
    }
    EXPECT_GT(cutShort, 0);
    RecordProperty("imports cut short", cutShort);
    RecordProperty("partly imported", partlyImported);
}

INSTANTIATE_TEST_SUITE_P(Files, ImportCrashTest, ::testing::Values(ImportFile::AccountLines, ImportFile::Csv),
                         [](const ::testing::TestParamInfo<ImportFile>& info) {
                             return info.param == ImportFile::AccountLines ? "AccountLines" : "Csv";
                         });

} // namespace
} // namespace lk::test
