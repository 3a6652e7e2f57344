// Several processes on one data folder at once, as the window and the
// command-line tool (or several of either) may be: each store operation is
// one whole step, so no account and no use is lost, and nothing is duplicated.

#include "core/document/AccountLogin.h"
#include "core/document/AccountSave.h"
#include "core/document/ImportCommand.h"
#include "core/document/StoreFixture.h"
#include "core/store/AccountLine.h"
#include "core/store/HandBuiltFile.h"
#include "core/transfer/TransferText.h"
#include "support/Processes.h"

#include <set>
#include <unistd.h>

namespace lk {
namespace {

using Names = std::vector<std::u16string>;

class ConcurrentStoreTest : public test::StoreFixture
{
protected:
    // A store operation that never got its turn would hang the test: the alarm ends it.
    void SetUp() override { ::alarm(300); }
    void TearDown() override { ::alarm(0); }

    std::vector<AccountRecord> LoadedAccounts()
    {
        auto document = MakeDocument();
        AccountList list;
        document->LoadAllAccounts(list);
        std::vector<AccountRecord> records;
        for (const auto& record : list) {
            records.push_back(*record);
        }
        return records;
    }

    // An import file of `count` new accounts, named after `prefix`, none with a stem.
    std::filesystem::path ImportFile(const std::string& prefix, int count)
    {
        std::u16string text;
        for (int i = 0; i < count; ++i) {
            AccountRecord record = Account(Wide(prefix + " " + std::to_string(i)));
            record.Url = "https://" + prefix + ".example/" + std::to_string(i);
            text += FormatAccountLine(record);
        }
        std::filesystem::path file = temp.path() / (prefix + ".txt");
        test::WriteBytes(file, EncodeUtf16Le(text));
        return file;
    }

    // Imports `file` in a document of its own; 0 when the import was done.
    int ImportInThisProcess(const std::filesystem::path& file)
    {
        auto document = MakeDocument();
        desktop.chosenFiles = {file};
        return ImportAccounts(*document) == TransferOutcome::Done ? 0 : 1;
    }

    static std::u16string Wide(const std::string& text) { return {text.begin(), text.end()}; }
};

TEST_F(ConcurrentStoreTest, LoginsInSeveralProcessesAreAllCounted)
{
    constexpr int kProcesses = 4;
    constexpr int kLogins = 100;
    AccountRecord account = Account(u"Shared", "shared");
    account.Url = "https://shared.example/";
    account.UseCount = 7;
    PutAccount("shared.dat", account);

    // Each process reads the account once, as a window does when it shows it,
    // and logs in again and again while the others do the same.
    const std::vector<int> results = test::RunInProcesses(kProcesses, [this](int) {
        auto document = MakeDocument();
        document->RefreshAccounts();
        AccountRecord* shown = document->Accounts().GetAt(0);
        if (shown == nullptr) {
            return 2;
        }
        for (int i = 0; i < kLogins; ++i) {
            if (LoginAccount(*document, shown, ShownBoxes(*shown)) != LoginOutcome::Launched) {
                return 1;
            }
        }
        return 0;
    });
    EXPECT_EQ(results, std::vector<int>(kProcesses, 0));
    const std::vector<AccountRecord> loaded = LoadedAccounts();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].UseCount, 7u + kProcesses * kLogins);
}

TEST_F(ConcurrentStoreTest, ASaveOfAShownAccountKeepsUsesCountedElsewhere)
{
    AccountRecord account = Account(u"Shared", "shared");
    account.Url = "https://shared.example/";
    account.UseCount = 3;
    PutAccount("shared.dat", account);
    auto window = MakeDocument();
    window->RefreshAccounts();
    AccountRecord* shown = window->Accounts().GetAt(0);
    ASSERT_NE(shown, nullptr);

    // Meanwhile another process logs in twice.
    const std::vector<int> results = test::RunInProcesses(1, [this](int) {
        auto tool = MakeDocument();
        tool->RefreshAccounts();
        AccountRecord* record = tool->Accounts().GetAt(0);
        const bool launched = LoginAccount(*tool, record, ShownBoxes(*record)) == LoginOutcome::Launched &&
                              LoginAccount(*tool, record, ShownBoxes(*record)) == LoginOutcome::Launched;
        return launched ? 0 : 1;
    });
    ASSERT_EQ(results, std::vector<int>{0});

    // The window saves a changed comment: the two uses stay, and its own Login
    // then counts a third.
    FormBoxes boxes = ShownBoxes(*shown);
    boxes.comment = u"changed";
    desktop.answers = {true};
    EXPECT_EQ(SaveShownAccount(*window, *shown, boxes), SaveOutcome::Saved);
    EXPECT_EQ(LoadedAccounts().at(0).UseCount, 5u);
    EXPECT_EQ(LoadedAccounts().at(0).Comment.view(), u"changed");
    EXPECT_EQ(LoginAccount(*window, shown, ShownBoxes(*shown)), LoginOutcome::Launched);
    EXPECT_EQ(shown->UseCount, 6u);
    EXPECT_EQ(LoadedAccounts().at(0).UseCount, 6u);
}

TEST_F(ConcurrentStoreTest, ImportsOfNewAccountsInSeveralProcessesLoseNone)
{
    constexpr int kProcesses = 4;
    constexpr int kAccounts = 100;
    std::vector<std::filesystem::path> files;
    files.reserve(kProcesses);
    for (int p = 0; p < kProcesses; ++p) {
        files.push_back(ImportFile(std::to_string(p) + "p", kAccounts));
    }
    MakeDocument(); // the folders
    const std::vector<int> results =
        test::RunInProcesses(kProcesses, [&](int index) { return ImportInThisProcess(files[index]); });
    EXPECT_EQ(results, std::vector<int>(kProcesses, 0));

    const std::vector<AccountRecord> loaded = LoadedAccounts();
    std::set<std::u16string> names;
    std::set<std::string> stems;
    for (const AccountRecord& record : loaded) {
        names.insert(record.AccountName.str());
        stems.insert(record.FileStem.str());
    }
    EXPECT_EQ(loaded.size(), static_cast<std::size_t>(kProcesses * kAccounts));
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kProcesses * kAccounts));
    EXPECT_EQ(stems.size(), static_cast<std::size_t>(kProcesses * kAccounts));
    EXPECT_EQ(DataFiles().size(), static_cast<std::size_t>(kProcesses * kAccounts));
}

TEST_F(ConcurrentStoreTest, TheSameImportInSeveralProcessesAddsEachAccountOnce)
{
    constexpr int kProcesses = 4;
    constexpr int kAccounts = 60;
    const std::filesystem::path file = ImportFile("same", kAccounts);
    MakeDocument();
    const std::vector<int> results = test::RunInProcesses(kProcesses, [&](int) { return ImportInThisProcess(file); });
    EXPECT_EQ(results, std::vector<int>(kProcesses, 0));
    EXPECT_EQ(LoadedAccounts().size(), static_cast<std::size_t>(kAccounts));
}

TEST_F(ConcurrentStoreTest, SeveralStartsAtOnceConvertTheCombinedFileOnce)
{
    constexpr int kProcesses = 3;
    constexpr int kRounds = 5;
    constexpr int kLines = 40;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::filesystem::remove_all(folders.data);
        std::u16string body;
        for (int i = 0; i < kLines; ++i) {
            // Every fourth line carries a stem of its own; the others have none.
            const std::string stem = i % 4 == 0 ? "own" + std::to_string(i) : "";
            body += FormatAccountLine(Account(Wide("Legacy " + std::to_string(i)), stem));
        }
        test::WriteBytes(DataFile("LedgerKeeper.dat"), test::HandBuiltFile(body, kUser, kLines));

        const std::vector<int> results = test::RunInProcesses(kProcesses, [this](int) {
            auto document = MakeDocument();
            return document->OnNewDocument() ? 0 : 1;
        });
        EXPECT_EQ(results, std::vector<int>(kProcesses, 0));
        std::multiset<std::u16string> names;
        for (const AccountRecord& record : LoadedAccounts()) {
            names.insert(record.AccountName.str());
        }
        EXPECT_EQ(names.size(), static_cast<std::size_t>(kLines));
        EXPECT_EQ(std::set<std::u16string>(names.begin(), names.end()).size(), static_cast<std::size_t>(kLines));
        EXPECT_FALSE(std::filesystem::exists(DataFile("LedgerKeeper.dat")));
    }
}

} // namespace
} // namespace lk
