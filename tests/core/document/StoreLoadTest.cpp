#include "core/document/StoreFixture.h"
#include "core/store/AccountLine.h"
#include "core/store/HandBuiltFile.h"

#include <sys/stat.h>

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

} // namespace
} // namespace lk
