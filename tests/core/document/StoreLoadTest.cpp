#include "core/document/StoreFixture.h"
#include "core/store/AccountLine.h"
#include "core/store/HandBuiltFile.h"

#include <sys/stat.h>
#include <unistd.h>

namespace lk {
namespace {

using Names = std::vector<std::u16string>;

class StoreLoadTest : public test::StoreFixture
{
protected:
    // Loads the data folder into a fresh list.
    Names Load(bool expectedResult = true)
    {
        auto document = MakeDocument();
        AccountList list;
        EXPECT_EQ(document->LoadAllAccounts(list), expectedResult);
        stems.clear();
        for (const auto& record : list) {
            stems.push_back(record->FileStem.str());
        }
        return NamesOf(list);
    }

    std::vector<std::string> stems;
};

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info
    {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST_F(StoreLoadTest, StartingWithoutFoldersCreatesThemPrivate)
{
    ASSERT_FALSE(std::filesystem::exists(folders.product));
    auto document = MakeDocument();
    EXPECT_TRUE(std::filesystem::is_directory(folders.data));
    EXPECT_EQ(ModeOf(folders.product), 0700u);
    EXPECT_EQ(ModeOf(folders.data), 0700u);
    EXPECT_TRUE(document->OnNewDocument());
    EXPECT_EQ(document->Accounts().GetCount(), 0);
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(StoreLoadTest, JunkAndOtherFilesAreSkipped)
{
    PutAccount("1.dat", Account(u"Bank", "1"));
    test::WriteBytes(DataFile("notes.dat"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', ',', ' ',
                                             'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'c', 'c', 'o', 'u', 'n',
                                             't', ' ', 'f', 'i', 'l', 'e', ' ', 'a', 't', ' ', 'a', 'l', 'l'});
    PutAccount("2.txt", Account(u"Text", "2"));
    PutAccount("3.dat.bak", Account(u"Backup", "3"));
    std::filesystem::create_directory(DataFile("4.dat"));
    test::WriteBytes(DataFile("5.dat"), test::Bytes(36, 0xFF)); // a header without the marker
    EXPECT_EQ(Load(), Names{u"Bank"});
    // Skipped files stay on disk untouched.
    EXPECT_TRUE(std::filesystem::exists(DataFile("notes.dat")));
    EXPECT_TRUE(std::filesystem::exists(DataFile("5.dat")));
}

TEST_F(StoreLoadTest, AShortFileThatSortsFirstNoLongerHidesTheRest)
{
    test::WriteBytes(DataFile("0.dat"), test::Bytes(10, 'x'));
    PutAccount("1.dat", Account(u"One", "1"));
    PutAccount("2.dat", Account(u"Two", "2"));
    EXPECT_EQ(Load(false), (Names{u"One", u"Two"}));
}

TEST_F(StoreLoadTest, AShortFileThatSortsLast)
{
    PutAccount("1.dat", Account(u"One", "1"));
    test::WriteBytes(DataFile("9.dat"), test::Bytes(35, 0xFF));
    EXPECT_EQ(Load(false), Names{u"One"});
}

TEST_F(StoreLoadTest, EmptyBodiesAndOtherUsersFilesAreSkipped)
{
    PutAccount("1.dat", Account(u"Mine", "1"));
    PutAccount("2.dat", Account(u"Theirs", "2"), u"someone");
    const auto header = AccountFileHeader::ForUser(kUser).Encode();
    test::WriteBytes(DataFile("3.dat"), test::Bytes(header.begin(), header.end()));
    EXPECT_EQ(Load(), Names{u"Mine"});
}

TEST_F(StoreLoadTest, ALineThatDoesNotParseIsSkipped)
{
    PutAccount("1.dat", Account(u"Good", "1"));
    test::WriteBytes(DataFile("2.dat"), test::HandBuiltFile(u"only,three,fields,\n", kUser));
    EXPECT_EQ(Load(), Names{u"Good"});
}

TEST_F(StoreLoadTest, TheLinesStemWinsOverTheFilesName)
{
    PutAccount("renamed.dat", Account(u"Moved", "original"));
    PutAccount("own.name.dat", Account(u"Nameless"));
    PutAccount("plain.dat", Account(u"Escaping", "../outside"));
    EXPECT_EQ(Load(), (Names{u"Nameless", u"Escaping", u"Moved"}));
    EXPECT_EQ(stems, (std::vector<std::string>{"own", "plain", "original"}));
}

TEST_F(StoreLoadTest, AFileNameTooLongForTheStemIsSkippedUnlessTheLineNamesIt)
{
    const std::string longName(28, 'n');
    PutAccount(longName + ".dat", Account(u"NoStem"));
    PutAccount(longName + "x.dat", Account(u"WithStem", "short"));
    EXPECT_EQ(Load(), Names{u"WithStem"});
    EXPECT_EQ(stems, std::vector<std::string>{"short"});
}

TEST_F(StoreLoadTest, TwoAccountsOfTheSameNameBothLoad)
{
    PutAccount("1.dat", Account(u"Twin", "1"));
    PutAccount("2.dat", Account(u"Twin", "2"));
    EXPECT_EQ(Load(), (Names{u"Twin", u"Twin"}));
}

TEST_F(StoreLoadTest, FilesLoadInTheListingOrder)
{
    for (const char* name : {"_x", "B", "a", "ab", "AB", "c"}) {
        const std::string file = std::string(name) + (name[0] == 'c' ? ".DAT" : ".dat");
        PutAccount(file, Account(std::u16string(name, name + std::char_traits<char>::length(name)), name));
    }
    EXPECT_EQ(Load(), (Names{u"a", u"AB", u"ab", u"B", u"c", u"_x"}));
}

TEST_F(StoreLoadTest, TheLegacyCombinedFileIsNotAnAccountFile)
{
    // A combined file waiting for its conversion holds other accounts' lines; its
    // first line must not turn into an account whose save would overwrite it.
    PutAccount("1.dat", Account(u"One", "1"));
    test::WriteBytes(
        DataFile("LedgerKeeper.dat"),
        test::HandBuiltFile(FormatAccountLine(Account(u"Legacy", "legacy1")) + FormatAccountLine(Account(u"L2")), kUser,
                            2));
    EXPECT_EQ(Load(), Names{u"One"});
}

TEST_F(StoreLoadTest, AShortLegacyCombinedFileIsReportedLikeAnyShortFile)
{
    PutAccount("M.dat", Account(u"Mine", "M"));
    test::WriteBytes(DataFile("LedgerKeeper.dat"), test::Bytes(12, 0));
    EXPECT_EQ(Load(false), Names{u"Mine"});
}

// An account file padded with zero units after its line to `size` bytes: the
// reader ends the text at the first zero, so only the size tells it apart.
test::Bytes PaddedAccountFile(const AccountRecord& record, std::size_t size)
{
    const std::u16string line = FormatAccountLine(record);
    const std::size_t units = (size - AccountFileHeader::kSize) / 2;
    return test::HandBuiltFile(line + std::u16string(units - line.size(), u'\0'), test::StoreFixture::kUser);
}

class HostileFileTest : public StoreLoadTest
{
protected:
    // A load or an open that waited would hang the test: the alarm ends it.
    void SetUp() override { ::alarm(60); }
    void TearDown() override { ::alarm(0); }
};

TEST_F(HostileFileTest, AFileLargerThanAnyAccountFileIsSkipped)
{
    test::WriteBytes(DataFile("1.dat"), PaddedAccountFile(Account(u"Largest", "1"), kMaxAccountFileBytes));
    test::WriteBytes(DataFile("2.dat"), PaddedAccountFile(Account(u"Too large", "2"), kMaxAccountFileBytes + 2));
    EXPECT_EQ(Load(), Names{u"Largest"});
}

TEST_F(HostileFileTest, AHugeSparseFileIsSkippedAndTheOthersLoad)
{
    PutAccount("1.dat", Account(u"One", "1"));
    test::WriteBytes(DataFile("big.dat"), {});
    std::filesystem::resize_file(DataFile("big.dat"), std::uintmax_t{100} * 1000 * 1000 * 1000);
    PutAccount("z.dat", Account(u"Zed", "z"));
    EXPECT_EQ(Load(), (Names{u"One", u"Zed"}));
    EXPECT_EQ(std::filesystem::file_size(DataFile("big.dat")), std::uintmax_t{100} * 1000 * 1000 * 1000);
}

TEST_F(HostileFileTest, FifosAreNeitherOpenedNorWaitedFor)
{
    PutAccount("1.dat", Account(u"One", "1"));
    ASSERT_EQ(::mkfifo(DataFile("fifo.dat").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(DataFile("LedgerKeeper.dat").c_str(), 0600), 0);
    // The start converts no combined file and loads the accounts.
    auto document = MakeDocument();
    EXPECT_FALSE(document->MigrateCombinedFile());
    EXPECT_TRUE(document->OnNewDocument());
    EXPECT_EQ(NamesOf(document->Accounts()), Names{u"One"});
    // A record whose stem names a FIFO reloads as it was.
    AccountRecord record = Account(u"Piped", "fifo");
    EXPECT_TRUE(document->ReloadAccount(record));
    EXPECT_EQ(record.AccountName.view(), u"Piped");
    // Both FIFOs stay: they are no files of ours.
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"1.dat", "LedgerKeeper.dat", "fifo.dat"}));
}

TEST_F(HostileFileTest, ALinkInTheDataFolderIsNotFollowed)
{
    const std::filesystem::path elsewhere = temp.path() / "elsewhere.dat";
    test::WriteBytes(elsewhere, WriteAccountFile(Account(u"Elsewhere", "linked"), kUser));
    PutAccount("1.dat", Account(u"One", "1"));
    std::filesystem::create_symlink(elsewhere, DataFile("linked.dat"));
    EXPECT_EQ(Load(), Names{u"One"});
}

} // namespace
} // namespace lk
