#include "core/document/StoreFixture.h"
#include "core/store/AccountLine.h"
#include "core/store/FileStem.h"
#include "core/store/HandBuiltFile.h"

#include <csignal>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

namespace lk {
namespace {

// Holds the size of every file this process writes below `bytes` for as long as
// it lives: writes past it fail, for root too, which permissions cannot do.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

bool AllDigits(std::string_view stem)
{
    return !stem.empty() && stem.find_first_not_of("0123456789") == std::string_view::npos;
}

class StoreSaveTest : public test::StoreFixture
{
protected:
    std::unique_ptr<CReaderDoc> document = MakeDocument();
};

TEST_F(StoreSaveTest, ANewAccountGetsAStemOfDigitsAndItsFile)
{
    AccountRecord record = Account(u"New");
    ASSERT_TRUE(document->SaveAccount(record));
    const std::string stem = record.FileStem.str();
    EXPECT_TRUE(AllDigits(stem)) << stem;
    EXPECT_LE(stem.size(), 20u);
    EXPECT_EQ(DataFiles(), std::vector<std::string>{stem + ".dat"});
    EXPECT_EQ(test::ReadBytes(DataFile(stem + ".dat")), WriteAccountFile(record, kUser));
    struct stat info
    {};
    ::stat(DataFile(stem + ".dat").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(StoreSaveTest, SavingAgainRewritesTheSameFileToItsNewLength)
{
    AccountRecord record = Account(u"Again");
    record.Comment = std::u16string(300, u'c');
    ASSERT_TRUE(document->SaveAccount(record));
    const std::string stem = record.FileStem.str();
    record.Comment = u"short";
    ASSERT_TRUE(document->SaveAccount(record));
    EXPECT_EQ(record.FileStem.view(), stem);
    EXPECT_EQ(DataFiles(), std::vector<std::string>{stem + ".dat"});
    const std::size_t units = FormatAccountLine(record).size();
    EXPECT_EQ(std::filesystem::file_size(DataFile(stem + ".dat")), 36 + 2 * units);
    EXPECT_EQ(test::ReadBytes(DataFile(stem + ".dat")), WriteAccountFile(record, kUser));
}

TEST_F(StoreSaveTest, AGivenStemNamesTheFile)
{
    AccountRecord record = Account(u"Named", "my account");
    ASSERT_TRUE(document->SaveAccount(record));
    EXPECT_EQ(record.FileStem.view(), "my account");
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"my account.dat"});
}

TEST_F(StoreSaveTest, AStemThatWouldLeaveTheDataFolderIsReplaced)
{
    for (const std::string_view stem : {"../escape", "sub/file", "..", "LedgerKeeper"}) {
        AccountRecord record = Account(u"Evil", stem);
        ASSERT_TRUE(document->SaveAccount(record)) << stem;
        EXPECT_TRUE(AllDigits(record.FileStem.view())) << stem;
    }
    EXPECT_EQ(DataFiles().size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(folders.product / "escape.dat"));
    EXPECT_FALSE(std::filesystem::exists(DataFile("LedgerKeeper.dat")));
}

TEST_F(StoreSaveTest, ManyNewAccountsInARowGetDistinctFiles)
{
    std::set<std::string> stems;
    for (int i = 0; i < 100; ++i) {
        AccountRecord record = Account(u"Batch");
        ASSERT_TRUE(document->SaveAccount(record));
        stems.insert(record.FileStem.str());
    }
    EXPECT_EQ(stems.size(), 100u);
    EXPECT_EQ(DataFiles().size(), 100u);
}

TEST_F(StoreSaveTest, AFailedWriteLeavesTheOldFile)
{
    AccountRecord record = Account(u"Kept", "kept");
    ASSERT_TRUE(document->SaveAccount(record));
    const test::Bytes before = test::ReadBytes(DataFile("kept.dat"));
    record.Comment = std::u16string(500, u'x');
    {
        const FileSizeLimit limit(before.size() + 10);
        EXPECT_FALSE(document->SaveAccount(record));
    }
    EXPECT_EQ(test::ReadBytes(DataFile("kept.dat")), before);
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"kept.dat"});
}

TEST_F(StoreSaveTest, AFolderInTheFilesPlaceFailsTheSave)
{
    std::filesystem::create_directory(DataFile("blocked.dat"));
    AccountRecord record = Account(u"Blocked", "blocked");
    EXPECT_FALSE(document->SaveAccount(record));
    EXPECT_TRUE(std::filesystem::is_directory(DataFile("blocked.dat")));
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"blocked.dat"});
}

TEST_F(StoreSaveTest, ADataFolderReplacedByAFileFailsTheSaveAndTheRecordKeepsItsNewStem)
{
    std::filesystem::remove(folders.data);
    test::WriteBytes(folders.data, {'f'});
    AccountRecord record = Account(u"Nowhere");
    EXPECT_FALSE(document->SaveAccount(record));
    EXPECT_TRUE(AllDigits(record.FileStem.view()));
    EXPECT_EQ(test::ReadBytes(folders.data), test::Bytes{'f'});
}

TEST_F(StoreSaveTest, NoTemporaryFileIsLeftBehind)
{
    for (int i = 0; i < 5; ++i) {
        AccountRecord record = Account(u"Tidy", "tidy");
        record.UseCount = static_cast<std::uint32_t>(i);
        ASSERT_TRUE(document->SaveAccount(record));
    }
    EXPECT_EQ(test::FileNames(folders.data), std::vector<std::string>{"tidy.dat"});
    EXPECT_EQ(test::FileNames(folders.product), std::vector<std::string>{"Account"});
}

TEST_F(StoreSaveTest, ASavedAccountLoadsBack)
{
    AccountRecord record = Account(u"Round, trip");
    record.Comment = u"with\r\nlines, and commas";
    record.UseCount = 3;
    ASSERT_TRUE(document->SaveAccount(record));
    AccountList list;
    EXPECT_TRUE(document->LoadAllAccounts(list));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(IsSameAccount(*list.GetAt(0), record));
    EXPECT_EQ(list.GetAt(0)->FileStem, record.FileStem);
    EXPECT_EQ(list.GetAt(0)->UseCount, 3u);
}

} // namespace
} // namespace lk
