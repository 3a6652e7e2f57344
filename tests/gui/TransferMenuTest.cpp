#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"

#include <QTest>

namespace lk::test {
namespace {

class TransferMenuTest : public AppFixture
{
protected:
    void SetUp() override
    {
        WriteAccount(Named(u"Mail"));
        WriteAccount(Named(u"Bank"));
        StartApp();
        SelectInTab(1, u"Mail");
        ASSERT_NE(Form().ShownAccount(), nullptr);
    }

    // Every item of both trees refers to a record of the document's list.
    void ExpectTreesHoldLiveRecords()
    {
        for (CAccountTree* tree : {Pane().FrequencyTree(), Pane().AlphabetTree()}) {
            for (QTreeWidgetItem* item : tree->AccountItems()) {
                EXPECT_GE(Document().Accounts().IndexOf(CAccountTree::RecordOf(item)), 0);
            }
        }
        if (Form().ShownAccount() != nullptr) {
            EXPECT_GE(Document().Accounts().IndexOf(Form().ShownAccount()), 0);
        }
    }

    static bool HoldsUtf16(const std::vector<std::uint8_t>& bytes, std::u16string_view text)
    {
        const auto* units = reinterpret_cast<const char16_t*>(bytes.data());
        return std::u16string_view(units, bytes.size() / 2).find(text) != std::u16string_view::npos;
    }
};

TEST_F(TransferMenuTest, ExportWritesTheFileAndResetsTheForm)
{
    const std::filesystem::path out = temp.path() / "accounts.txt";
    desktop.chosenFiles = {out};
    ASSERT_TRUE(Command(cmd::kExport));
    ASSERT_EQ(desktop.saveDialogs.size(), 1u);
    EXPECT_EQ(desktop.saveDialogs[0].defaultExtension, u"txt");
    EXPECT_TRUE(desktop.saveDialogs[0].askBeforeCreating);
    const auto bytes = ReadBytes(out);
    EXPECT_TRUE(HoldsUtf16(bytes, u"Mail,"));
    EXPECT_TRUE(HoldsUtf16(bytes, u"Bank,"));
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    ExpectTreesHoldLiveRecords();
}

TEST_F(TransferMenuTest, ExportRefusesTheDataFolder)
{
    desktop.chosenFiles = {folders.data};
    ASSERT_TRUE(Command(cmd::kExport));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"LedgerKeeper file is selected. Please retry...");
    EXPECT_EQ(desktop.messages[0].caption, u"LedgerKeeper - Error");
    EXPECT_EQ(desktop.messages[0].owner, DesktopPort::Owner::None);
    ExpectTreesHoldLiveRecords();
}

TEST_F(TransferMenuTest, ImportBringsExportedAccountsBackAndResetsTheForm)
{
    const std::filesystem::path out = temp.path() / "accounts.txt";
    desktop.chosenFiles = {out};
    ASSERT_TRUE(Command(cmd::kExport));
    for (const std::string& name : FileNames(folders.data)) {
        std::filesystem::remove(folders.data / name);
    }
    SelectInTab(1, u"Account List");
    QTest::mouseClick(Pane().Surface(), Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_TRUE(ItemNames(*Pane().AlphabetTree()).empty());

    desktop.chosenFiles = {out};
    ASSERT_TRUE(Command(cmd::kImport));
    ASSERT_EQ(desktop.openDialogs.size(), 1u);
    EXPECT_TRUE(desktop.openDialogs[0].fileMustExist);
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail"}));
    EXPECT_EQ(FileNames(folders.data).size(), 2u);
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    ExpectTreesHoldLiveRecords();
}

TEST_F(TransferMenuTest, ImportRefusesTheDataFolder)
{
    desktop.chosenFiles = {folders.data};
    ASSERT_TRUE(Command(cmd::kImport));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"Invalid selection to LedgerKeeper import file. Please retry...");
    EXPECT_EQ(desktop.messages[0].caption, u"Error");
    ExpectTreesHoldLiveRecords();
}

TEST_F(TransferMenuTest, ACancelledImportStillLeavesNothingStale)
{
    ASSERT_TRUE(Command(cmd::kImport));
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    ExpectTreesHoldLiveRecords();
    SelectInTab(0, u"Bank");
    ASSERT_NE(Form().ShownAccount(), nullptr);
}

TEST_F(TransferMenuTest, PrintingFormatShowsTheListingAndRemovesItsFile)
{
    // Ctrl+P and both menus' items send the same command.
    ASSERT_TRUE(Command(cmd::kPrintingFormat));
    ASSERT_EQ(desktop.listings.size(), 1u);
    EXPECT_NE(desktop.listings[0].find("=== LedgerKeeper Account List Start ==="), std::string::npos);
    EXPECT_NE(desktop.listings[0].find("Account Name:\tMail"), std::string::npos);
    ASSERT_EQ(desktop.listingPaths.size(), 1u);
    EXPECT_EQ(desktop.listingPaths[0], folders.data / "PrintFormat.txt");
    EXPECT_FALSE(std::filesystem::exists(folders.data / "PrintFormat.txt"));
    // The listing leaves the list, the trees and the form as they were.
    ASSERT_NE(Form().ShownAccount(), nullptr);
    ExpectTreesHoldLiveRecords();
    SelectInTab(0, u"Bank");
    EXPECT_EQ(Form().ShownAccount()->AccountName.view(), u"Bank");
}

} // namespace
} // namespace lk::test
