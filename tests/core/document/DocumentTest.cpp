#include "core/document/StoreFixture.h"

namespace lk {
namespace {

class DocumentTest : public test::StoreFixture
{};

TEST_F(DocumentTest, GlobalDocumentNamesTheNewestStillAlive)
{
    EXPECT_EQ(g_pDocument, nullptr);
    auto first = MakeDocument();
    EXPECT_EQ(g_pDocument, first.get());
    auto second = MakeDocument();
    EXPECT_EQ(g_pDocument, second.get());
    second.reset();
    EXPECT_EQ(g_pDocument, first.get());
    auto third = MakeDocument();
    first.reset();
    EXPECT_EQ(g_pDocument, third.get());
    third.reset();
    EXPECT_EQ(g_pDocument, nullptr);
}

TEST_F(DocumentTest, EveryDocumentLoadsTheSameFolderIntoItsOwnList)
{
    PutAccount("1.dat", Account(u"Shared", "1"));
    auto first = MakeDocument();
    auto second = MakeDocument();
    first->RefreshAccounts();
    second->RefreshAccounts();
    ASSERT_EQ(first->Accounts().GetCount(), 1);
    ASSERT_EQ(second->Accounts().GetCount(), 1);
    EXPECT_NE(first->Accounts().GetAt(0), second->Accounts().GetAt(0));
}

TEST_F(DocumentTest, AListingLeftByACrashIsDeletedAtCreation)
{
    test::WriteBytes(DataFile("PrintFormat.txt"), {'p', 'w'});
    PutAccount("1.dat", Account(u"One", "1"));
    auto document = MakeDocument();
    EXPECT_FALSE(std::filesystem::exists(DataFile("PrintFormat.txt")));
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"1.dat"});
    EXPECT_EQ(document->ListingFilePath(), DataFile("PrintFormat.txt"));
    EXPECT_EQ(document->CombinedFilePath(), DataFile("LedgerKeeper.dat"));
}

TEST_F(DocumentTest, TheScriptedUserNameIsTheKey)
{
    PutAccount("1.dat", Account(u"Mine", "1"));
    PutAccount("2.dat", Account(u"Yours", "2"), u"other");
    auto mine = MakeDocument();
    mine->RefreshAccounts();
    EXPECT_EQ(NamesOf(mine->Accounts()), std::vector<std::u16string>{u"Mine"});
    auto theirs = MakeDocument(u"other");
    theirs->RefreshAccounts();
    EXPECT_EQ(NamesOf(theirs->Accounts()), std::vector<std::u16string>{u"Yours"});
    // With an empty key a body is stored plain.
    PutAccount("3.dat", Account(u"Plain", "3"), u"");
    auto keyless = MakeDocument(u"");
    keyless->RefreshAccounts();
    EXPECT_EQ(NamesOf(keyless->Accounts()), std::vector<std::u16string>{u"Plain"});
}

} // namespace
} // namespace lk
