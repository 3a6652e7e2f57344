#include "core/document/StoreFixture.h"
#include "core/ports/ExplorerPort.h"
#include "core/store/AccountLine.h"
#include "core/store/HandBuiltFile.h"

#include <algorithm>

namespace lk {
namespace {

using Names = std::vector<std::u16string>;

// A pane that only counts how often it was asked to rebuild.
class CountingPane final : public ExplorerPort
{
public:
    int rebuilds = 0;
    void ClearSelection() override {}

protected:
    void RebuildTree(Tree, const std::vector<AccountRecord*>&) override { ++rebuilds; }
};

class MigrationTest : public test::StoreFixture
{
protected:
    std::filesystem::path Combined() const { return DataFile("LedgerKeeper.dat"); }

    void PutCombined(std::u16string_view body, std::uint32_t count)
    {
        test::WriteBytes(Combined(), test::HandBuiltFile(body, kUser, count));
    }

    static std::u16string Line(std::u16string_view name, std::string_view stem = "")
    {
        return FormatAccountLine(Account(name, stem));
    }

    // The accounts that a fresh load finds.
    Names Loaded()
    {
        auto document = MakeDocument();
        AccountList list;
        document->LoadAllAccounts(list);
        return NamesOf(list);
    }
};

TEST_F(MigrationTest, NoCombinedFileMeansNothingToDo)
{
    auto document = MakeDocument();
    EXPECT_FALSE(document->MigrateCombinedFile());
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(MigrationTest, TheRecordCountSaysHowManyLinesAreRead)
{
    PutCombined(Line(u"First", "first") + Line(u"Second") + Line(u"Third"), 2);
    CountingPane pane;
    auto document = std::make_unique<CReaderDoc>(DocumentContext{folders, std::u16string(kUser), &desktop, &pane});
    EXPECT_TRUE(document->OnNewDocument());
    // The converted accounts stand in the list in the file's order; the trees
    // are filled at the next refresh.
    EXPECT_EQ(NamesOf(document->Accounts()), (Names{u"First", u"Second"}));
    EXPECT_EQ(pane.rebuilds, 0);
    EXPECT_FALSE(std::filesystem::exists(Combined()));
    const auto files = DataFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(document->Accounts().GetAt(0)->FileStem.view(), "first");
    EXPECT_NE(document->Accounts().GetAt(1)->FileStem.view(), "");
    EXPECT_EQ(Loaded(), (Names{u"Second", u"First"}));
}

TEST_F(MigrationTest, TheKeyRunsOnAcrossLines)
{
    // One scrambled stream: a line that starts at an odd position still decodes.
    PutCombined(Line(u"A") + Line(u"Bc") + Line(u"Def"), 3);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_EQ(NamesOf(document->Accounts()), (Names{u"A", u"Bc", u"Def"}));
}

TEST_F(MigrationTest, EmptyAndBrokenLinesCountButMakeNoAccount)
{
    PutCombined(u"\nnot a line\n" + Line(u"Third") + Line(u"Fourth"), 3);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_EQ(NamesOf(document->Accounts()), Names{u"Third"});
    EXPECT_FALSE(std::filesystem::exists(Combined()));
}

TEST_F(MigrationTest, ACountBeyondTheLinesStopsAtTheEnd)
{
    std::u16string last = Line(u"Last");
    last.pop_back(); // no line feed after the last line
    PutCombined(Line(u"One") + last, 0xFFFFFFFF);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_EQ(NamesOf(document->Accounts()), (Names{u"One", u"Last"}));
}

TEST_F(MigrationTest, ACountOfZeroConvertsNothingAndDeletes)
{
    PutCombined(Line(u"Ignored"), 0);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_EQ(document->Accounts().GetCount(), 0);
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(MigrationTest, AHeaderWithoutBodyIsDeleted)
{
    PutCombined(u"", 5);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_FALSE(std::filesystem::exists(Combined()));
}

TEST_F(MigrationTest, AWrongMarkerIsDeletedWithoutAccounts)
{
    test::Bytes bytes = test::HandBuiltFile(Line(u"X"), kUser, 1);
    bytes[10] ^= 0x01;
    test::WriteBytes(Combined(), bytes);
    PutAccount("other.dat", Account(u"Other", "other"));
    CountingPane pane;
    auto document = std::make_unique<CReaderDoc>(DocumentContext{folders, std::u16string(kUser), &desktop, &pane});
    EXPECT_TRUE(document->OnNewDocument());
    EXPECT_FALSE(std::filesystem::exists(Combined()));
    // Nothing was converted, so the document refreshed.
    EXPECT_EQ(pane.rebuilds, 2);
    EXPECT_EQ(NamesOf(document->Accounts()), Names{u"Other"});
}

TEST_F(MigrationTest, AShortFileStaysAndTheOthersStillLoad)
{
    test::WriteBytes(Combined(), test::Bytes(20, 0xFF));
    PutAccount("0.dat", Account(u"Zero", "0"));
    PutAccount("Z.dat", Account(u"Zed", "Z"));
    auto document = MakeDocument();
    EXPECT_TRUE(document->OnNewDocument());
    EXPECT_TRUE(std::filesystem::exists(Combined()));
    EXPECT_EQ(NamesOf(document->Accounts()), (Names{u"Zed", u"Zero"}));
    AccountList list;
    EXPECT_FALSE(document->LoadAllAccounts(list));
}

TEST_F(MigrationTest, AnUnreadableFileStays)
{
    std::filesystem::create_directories(Combined());
    auto document = MakeDocument();
    EXPECT_FALSE(document->MigrateCombinedFile());
    EXPECT_TRUE(std::filesystem::is_directory(Combined()));
}

TEST_F(MigrationTest, AFailedSaveKeepsTheFileForTheNextStart)
{
    std::filesystem::create_directories(DataFile("blocked.dat"));
    PutCombined(Line(u"Blocked", "blocked") + Line(u"Fine", "fine"), 2);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_TRUE(std::filesystem::exists(Combined()));
    EXPECT_TRUE(std::filesystem::exists(DataFile("fine.dat")));
    // While it waits, the combined file is not loaded as an account of its own.
    EXPECT_EQ(Loaded(), Names{u"Fine"});

    // Once the way is clear, the next start converts it.
    std::filesystem::remove(DataFile("blocked.dat"));
    auto next = MakeDocument();
    EXPECT_TRUE(next->MigrateCombinedFile());
    EXPECT_FALSE(std::filesystem::exists(Combined()));
    EXPECT_EQ(Loaded(), (Names{u"Blocked", u"Fine"}));
}

TEST_F(MigrationTest, AConversionRunAgainSavesNoAccountTwice)
{
    // The first run is cut short (one save fails, as a crash would cut it), so
    // the combined file stays; the lines without a stem were saved already.
    std::filesystem::create_directories(DataFile("blocked.dat"));
    PutCombined(Line(u"First") + Line(u"Blocked", "blocked") + Line(u"Third") + Line(u"Fourth"), 4);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    ASSERT_TRUE(std::filesystem::exists(Combined()));
    const auto firstRun = DataFiles();
    EXPECT_EQ(firstRun.size(), 5u); // three accounts, the folder in the way, the combined file

    // Each rerun rewrites the same files: the stems come from the combined file.
    for (int rerun = 0; rerun < 2; ++rerun) {
        auto again = MakeDocument();
        EXPECT_TRUE(again->MigrateCombinedFile());
        EXPECT_EQ(DataFiles(), firstRun);
    }
    std::filesystem::remove(DataFile("blocked.dat"));
    auto last = MakeDocument();
    EXPECT_TRUE(last->MigrateCombinedFile());
    EXPECT_FALSE(std::filesystem::exists(Combined()));
    Names loaded = Loaded();
    std::sort(loaded.begin(), loaded.end());
    EXPECT_EQ(loaded, (Names{u"Blocked", u"First", u"Fourth", u"Third"}));
}

TEST_F(MigrationTest, ALineNamingTheCombinedFileGetsAFileOfItsOwn)
{
    PutCombined(Line(u"Sneaky", "LedgerKeeper") + Line(u"Plain", "plain"), 2);
    auto document = MakeDocument();
    EXPECT_TRUE(document->MigrateCombinedFile());
    EXPECT_FALSE(std::filesystem::exists(Combined()));
    EXPECT_EQ(Loaded(), (Names{u"Sneaky", u"Plain"}));
}

} // namespace
} // namespace lk
