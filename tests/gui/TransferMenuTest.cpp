#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/CommandRouter.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <sys/stat.h>

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
            for (const QModelIndex& item : tree->AccountItems()) {
                EXPECT_GE(Document().Accounts().IndexOf(CAccountTree::RecordOf(item)), 0);
            }
        }
        if (Form().ShownAccount() != nullptr) {
            EXPECT_GE(Document().Accounts().IndexOf(Form().ShownAccount()), 0);
        }
    }

    // The item of the Tools menu of the menu bar shown now.
    QAction* ToolsItem(int id) const
    {
        for (int resource : {128, 129}) {
            for (QMenu* menu : Frame().Menus(resource)) {
                for (QAction* action : menu->actions()) {
                    if (menu->title() == "&Tools" && CommandRouter::IdOf(action) == id) {
                        return action;
                    }
                }
            }
        }
        return nullptr;
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

TEST_F(TransferMenuTest, ExportCsvInTheToolsMenuWritesAPrivateFileAndResetsTheForm)
{
    const std::filesystem::path out = temp.path() / "passwords.csv";
    desktop.chosenFiles = {out};
    QAction* item = ToolsItem(cmd::kExportCsv);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    ASSERT_EQ(desktop.saveDialogs.size(), 1u);
    EXPECT_EQ(desktop.saveDialogs[0].defaultExtension, u"csv");
    const std::vector<std::uint8_t> bytes = ReadBytes(out);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("name,url,username,password,note\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nMail,"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nBank,"), std::string::npos) << text;
    struct stat info
    {};
    ASSERT_EQ(::stat(out.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    ExpectTreesHoldLiveRecords();
}

TEST_F(TransferMenuTest, ImportOfACsvFileShowsASummary)
{
    const std::filesystem::path in = temp.path() / "passwords.csv";
    const std::string csv = "name,url,username,password,note\r\n"
                            "Shop,https://shop.example,me,pw,\r\n"
                            ",,lost,pw,\r\n";
    WriteBytes(in, std::vector<std::uint8_t>(csv.begin(), csv.end()));
    desktop.chosenFiles = {in};
    ASSERT_TRUE(Command(cmd::kImport));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"Imported 1 account; 1 row was skipped.");
    EXPECT_EQ(desktop.messages[0].caption, u"LedgerKeeper - Import");
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail", u"Shop"}));
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    ExpectTreesHoldLiveRecords();
}

TEST_F(TransferMenuTest, ImportOfAFileOfNeitherFormatSaysSo)
{
    const std::filesystem::path in = temp.path() / "notes.txt";
    const std::string text = "some 8-bit notes\n";
    WriteBytes(in, std::vector<std::uint8_t>(text.begin(), text.end()));
    desktop.chosenFiles = {in};
    ASSERT_TRUE(Command(cmd::kImport));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"The file is neither an account export nor a CSV file with a header.");
    EXPECT_EQ(desktop.messages[0].caption, u"LedgerKeeper - Error");
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail"}));
    ExpectTreesHoldLiveRecords();
}

// Export CSV belongs to the document, as Export does: without an account
// window neither has anyone to run it.
TEST_F(TransferMenuTest, ExportCsvIsOfferedWhereExportIs)
{
    EXPECT_TRUE(Command(cmd::kExportCsv));
    CloseAllAccountWindows();
    EXPECT_EQ(Command(cmd::kExportCsv), Command(cmd::kExport));
}

} // namespace
} // namespace lk::test
