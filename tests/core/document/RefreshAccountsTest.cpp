#include "core/document/StoreFixture.h"
#include "core/platform/DirectoryListing.h"
#include "core/platform/TextConversion.h"
#include "core/ports/ExplorerPort.h"

namespace lk {
namespace {

using Names = std::vector<std::u16string>;

// A pane that records every tree it was asked to rebuild, in order.
class RecordingPane final : public ExplorerPort
{
public:
    struct Rebuild
    {
        Tree tree;
        Names names;
        std::vector<AccountRecord*> records;
    };
    std::vector<Rebuild> rebuilds;
    int selectionsCleared = 0;

    void ClearSelection() override { ++selectionsCleared; }

    const Rebuild& Last(Tree tree) const
    {
        for (auto it = rebuilds.rbegin(); it != rebuilds.rend(); ++it) {
            if (it->tree == tree) {
                return *it;
            }
        }
        throw std::logic_error("tree never rebuilt");
    }

protected:
    void RebuildTree(Tree tree, const std::vector<AccountRecord*>& listed) override
    {
        Rebuild rebuild{tree, {}, listed};
        for (const AccountRecord* record : listed) {
            rebuild.names.push_back(record->AccountName.str());
        }
        rebuilds.push_back(std::move(rebuild));
    }
};

class RefreshAccountsTest : public test::StoreFixture
{
protected:
    RecordingPane pane;

    std::unique_ptr<CReaderDoc> Refreshed()
    {
        auto document = std::make_unique<CReaderDoc>(DocumentContext{folders, std::u16string(kUser), &desktop, &pane});
        document->RefreshAccounts();
        return document;
    }

    void PutCounted(const std::string& stem, std::u16string_view name, std::uint32_t count)
    {
        AccountRecord record = Account(name, stem);
        record.UseCount = count;
        PutAccount(stem + ".dat", record);
    }
};

TEST_F(RefreshAccountsTest, AnEmptyFolderGivesTwoEmptyTrees)
{
    auto document = Refreshed();
    ASSERT_EQ(pane.rebuilds.size(), 2u);
    EXPECT_EQ(pane.rebuilds[0].tree, ExplorerPort::Tree::Alphabet);
    EXPECT_EQ(pane.rebuilds[1].tree, ExplorerPort::Tree::Frequency);
    EXPECT_TRUE(pane.rebuilds[0].names.empty());
    EXPECT_TRUE(pane.rebuilds[1].names.empty());
    EXPECT_EQ(document->Accounts().GetCount(), 0);
}

TEST_F(RefreshAccountsTest, BothTreesInTheirOrderAndTheListInFrequencyOrder)
{
    PutCounted("1", u"x", 3);
    PutCounted("2", u"a", 0);
    PutCounted("3", u"c", 3);
    PutCounted("4", u"Wrapped", 0xFFFFFFFFu);
    PutCounted("5", u"B", 0);
    auto document = Refreshed();
    EXPECT_EQ(pane.Last(ExplorerPort::Tree::Alphabet).names, (Names{u"B", u"Wrapped", u"a", u"c", u"x"}));
    EXPECT_EQ(pane.Last(ExplorerPort::Tree::Frequency).names, (Names{u"Wrapped", u"c", u"x", u"B", u"a"}));
    EXPECT_EQ(NamesOf(document->Accounts()), (Names{u"Wrapped", u"c", u"x", u"B", u"a"}));
    // The items refer to the list's own records.
    for (AccountRecord* record : pane.Last(ExplorerPort::Tree::Frequency).records) {
        EXPECT_GE(document->Accounts().IndexOf(record), 0);
    }
}

TEST_F(RefreshAccountsTest, UnlistedEntriesStayInTheListButInNoTree)
{
    PutCounted("1", u"Shown", 0);
    AccountRecord hidden = Account(u"Hidden", "2");
    hidden.Kind = kKindHidden;
    PutAccount("2.dat", hidden);
    AccountRecord slotless = Account(u"Slotless", "3");
    slotless.SlotCount = 0;
    PutAccount("3.dat", slotless);
    PutAccount("4.dat", Account(u"", "4"));
    auto document = Refreshed();
    EXPECT_EQ(pane.Last(ExplorerPort::Tree::Alphabet).names, Names{u"Shown"});
    EXPECT_EQ(pane.Last(ExplorerPort::Tree::Frequency).names, Names{u"Shown"});
    EXPECT_EQ(document->Accounts().GetCount(), 4);
}

TEST_F(RefreshAccountsTest, SameNamesKeepTheListingOrder)
{
    PutCounted("b", u"Twin", 1);
    PutCounted("a", u"Twin", 2);
    auto document = Refreshed();
    const auto& alphabet = pane.Last(ExplorerPort::Tree::Alphabet).records;
    ASSERT_EQ(alphabet.size(), 2u);
    EXPECT_EQ(alphabet[0]->FileStem.view(), "a");
    EXPECT_EQ(alphabet[1]->FileStem.view(), "b");
}

TEST_F(RefreshAccountsTest, ARefreshReadsTheFilesAgain)
{
    PutCounted("1", u"One", 0);
    auto document = Refreshed();
    PutCounted("2", u"Two", 5);
    document->RefreshAccounts();
    EXPECT_EQ(pane.Last(ExplorerPort::Tree::Frequency).names, (Names{u"Two", u"One"}));
    EXPECT_EQ(document->Accounts().GetCount(), 2);
}

TEST_F(RefreshAccountsTest, SortIndexIsStoredAsThePassesLeftIt)
{
    PutCounted("1", u"b", 0);
    PutCounted("2", u"a", 0);
    auto document = Refreshed();
    // Each record's SortIndex is written by the last pass that reached it.
    ASSERT_EQ(NamesOf(document->Accounts()), (Names{u"a", u"b"}));
    EXPECT_EQ(document->Accounts().GetAt(1)->SortIndex, 1);
}

TEST_F(RefreshAccountsTest, WithoutAPaneTheListIsStillOrdered)
{
    PutCounted("1", u"low", 1);
    PutCounted("2", u"high", 9);
    auto document = MakeDocument();
    document->RefreshAccounts();
    EXPECT_EQ(NamesOf(document->Accounts()), (Names{u"high", u"low"}));
}

// Enough files that a refresh reads them on more than one thread where there
// are cores for it: the list is still in the listing order, whatever thread
// read which file, and a short file anywhere is still reported.
TEST_F(RefreshAccountsTest, ALargeStoreLoadsInTheListingOrder)
{
    constexpr int kFiles = 3000;
    std::vector<std::u16string> expected;
    for (int i = 0; i < kFiles; ++i) {
        // Upper and lower case mixed: the listing order is not the order written.
        std::string stem(1, i % 2 == 0 ? 'a' : 'B');
        stem += std::to_string(kFiles - i);
        PutAccount(stem + ".dat", Account(Wide("name " + std::to_string(i)), stem));
    }
    test::WriteBytes(DataFile("b2000x.dat"), {1, 2, 3});
    test::WriteBytes(DataFile("a1000x.dat"), std::vector<std::uint8_t>(100, 0));
    for (const std::string& name : ListDatFiles(folders.data)) {
        if (name != "b2000x.dat" && name != "a1000x.dat") {
            const std::size_t number = std::stoul(name.substr(1));
            expected.push_back(Wide("name " + std::to_string(kFiles - number)));
        }
    }
    CReaderDoc document(DocumentContext{folders, std::u16string(kUser), &desktop, nullptr});
    AccountList list;
    EXPECT_FALSE(document.LoadAllAccounts(list));
    EXPECT_EQ(NamesOf(list), expected);
}

} // namespace
} // namespace lk
