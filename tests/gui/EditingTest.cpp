#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "core/platform/UserName.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QToolBar>

namespace lk::test {
namespace {

const std::u16string kUpdateQuestion = u"Do you want to save updated account information?";
const std::u16string kInvalidQuestion = u"Invalid login information... Save anyway?";
const std::u16string kWarning = u"LedgerKeeper - Warning";

class EditingTest : public AppFixture
{
protected:
    void Open(std::u16string_view name)
    {
        SelectInTab(1, name);
        ASSERT_NE(Form().ShownAccount(), nullptr);
        ASSERT_EQ(Form().ShownAccount()->AccountName.view(), name);
    }

    std::filesystem::path FileOf(std::u16string_view name)
    {
        const std::ptrdiff_t index = Document().Accounts().FindByName(name);
        EXPECT_GE(index, 0);
        return folders.data / (Document().Accounts().GetAt(index)->FileStem.str() + ".dat");
    }

    // The account as its file holds it now.
    AccountRecord Stored(const std::filesystem::path& file)
    {
        const AccountFileContent content = ReadAccountFile(ReadBytes(file), CurrentUserName());
        AccountRecord record;
        EXPECT_EQ(content.outcome, AccountFileOutcome::Text);
        EXPECT_TRUE(ParseAccountLine(content.text, record));
        return record;
    }

    void ExpectBlankForm()
    {
        EXPECT_EQ(Form().ShownAccount(), nullptr);
        EXPECT_TRUE(Box(1020)->text().isEmpty());
        EXPECT_EQ(Document().GetTitle(), u"Untitled");
        EXPECT_TRUE(Form().IsPasswordHidden());
    }

    QAction* PaneButton(int id)
    {
        for (QAction* action : Pane().FrequencyPage()->ToolBar()->actions()) {
            if (action->data().toInt() == id) {
                return action;
            }
        }
        return nullptr;
    }
};

TEST_F(EditingTest, ANewAccountWithTwoLoginBoxesIsSavedAtOnce)
{
    StartApp();
    Button(1031)->click();
    Box(1020)->setText("Mail");
    Box(1021)->setText("https://mail.example");
    Box(1039)->setText("alice");
    Box(1027)->setText("pw");
    Button(1028)->click();

    EXPECT_TRUE(desktop.questions.empty());
    ExpectBlankForm();
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Mail"}));
    const AccountRecord stored = Stored(FileOf(u"Mail"));
    EXPECT_EQ(stored.Kind, kKindSaved);
    EXPECT_EQ(stored.SlotCount, 2u);
    EXPECT_EQ(stored.Slots[kUserNameSlot].Value.view(), "alice");
    EXPECT_EQ(stored.Slots[kPasswordSlot].Value.view(), "pw");
    EXPECT_EQ(stored.UseCount, 0u);
}

TEST_F(EditingTest, ANewAccountWithOneLoginBoxAsksAndNoSavesNothing)
{
    StartApp();
    Box(1020)->setText("Mail");
    Box(1021)->setText("https://mail.example");
    Box(1027)->setText("pw");
    desktop.answers = {false};
    Button(1028)->click();
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0], (ScriptedDesktop::Shown{kInvalidQuestion, kWarning, DesktopPort::Owner::Form}));
    ExpectBlankForm();
    EXPECT_TRUE(FileNames(folders.data).empty());
}

TEST_F(EditingTest, AShownAccountWithOneLoginBoxEmptyAsksOnEverySave)
{
    AccountFixture account = Named(u"Mail");
    account.accountId = "";
    WriteAccount(account);
    StartApp();
    const std::filesystem::path file = FileOf(u"Mail");
    const auto before = ReadBytes(file);

    for (int round = 0; round < 2; ++round) {
        Open(u"Mail");
        desktop.answers = {false};
        Button(1028)->click();
        ASSERT_EQ(desktop.questions.size(), static_cast<std::size_t>(round + 1));
        EXPECT_EQ(desktop.questions.back(),
                  (ScriptedDesktop::Shown{kUpdateQuestion, kWarning, DesktopPort::Owner::Form}));
        ExpectBlankForm();
        EXPECT_EQ(ReadBytes(file), before);
    }
}

TEST_F(EditingTest, AnEmptiedUrlSavesNothingAndSaysNothing)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    const std::filesystem::path file = FileOf(u"Mail");
    const auto before = ReadBytes(file);
    Open(u"Mail");
    Box(1021)->clear();
    Button(1028)->click();
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_TRUE(desktop.messages.empty());
    ExpectBlankForm();
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(EditingTest, AChangeAnsweredYesIsWrittenOverTheAccountsOwnFile)
{
    AccountFixture account = Named(u"Mail");
    account.useCount = 7;
    WriteAccount(account);
    StartApp();
    const std::filesystem::path file = FileOf(u"Mail");
    Open(u"Mail");
    Box(1021)->setText("https://new.example");
    desktop.answers = {true};
    // Ctrl+S runs the form's Save.
    ASSERT_TRUE(Command(cmd::kFileSave));
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0].text, kUpdateQuestion);
    const AccountRecord stored = Stored(file);
    EXPECT_EQ(stored.Url.view(), "https://new.example");
    EXPECT_EQ(stored.UseCount, 7u);
    ExpectBlankForm();
    EXPECT_EQ(FileNames(folders.data).size(), 1u);
}

TEST_F(EditingTest, AFailedWriteKeepsWhatTheFormHolds)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    const std::filesystem::path file = FileOf(u"Mail");
    Open(u"Mail");
    // A folder where the account file must go: the write can't replace it.
    std::filesystem::remove(file);
    std::filesystem::create_directories(file / "blocker");
    Box(1021)->setText("https://typed.example");
    desktop.answers = {true};
    Button(1028)->click();

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"The account could not be saved.");
    EXPECT_EQ(desktop.messages[0].caption, u"LedgerKeeper - Error");
    EXPECT_EQ(Box(1021)->text(), "https://typed.example");
    ASSERT_NE(Form().ShownAccount(), nullptr);
    EXPECT_EQ(Form().ShownAccount()->AccountName.view(), u"Mail");
    EXPECT_GE(Document().Accounts().IndexOf(Form().ShownAccount()), 0);
}

TEST_F(EditingTest, DeleteAsksAndOnYesRemovesTheAccount)
{
    WriteAccount(Named(u"Mail"));
    WriteAccount(Named(u"Bank"));
    StartApp();
    const std::filesystem::path file = FileOf(u"Mail");

    Open(u"Mail");
    desktop.answers = {false};
    Button(1030)->click();
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0], (ScriptedDesktop::Shown{u"Are you sure that you want to delete this account?",
                                                            kWarning, DesktopPort::Owner::None}));
    EXPECT_TRUE(std::filesystem::exists(file));
    ExpectBlankForm();

    Open(u"Mail");
    desktop.answers = {true};
    Button(1030)->click();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank"}));
    ExpectBlankForm();

    // With no account shown Delete asks nothing.
    Button(1030)->click();
    EXPECT_EQ(desktop.questions.size(), 2u);
}

TEST_F(EditingTest, LoginCountsKeepsAClearedBoxAndOpensTheAddress)
{
    AccountFixture account = Named(u"Mail");
    account.url = "https://mail.example/?x=1";
    account.userName = "alice";
    account.useCount = 2;
    WriteAccount(account);
    StartApp();
    const std::filesystem::path file = FileOf(u"Mail");
    Open(u"Mail");
    Box(1039)->clear();
    Button(1001)->click();
    ASSERT_FALSE(Form().IsPasswordHidden());
    Button(1040)->click();

    ASSERT_EQ(desktop.openedAddresses.size(), 1u);
    EXPECT_EQ(desktop.openedAddresses[0], "https://mail.example/?x=1?LedgerAt=Mail");
    const AccountRecord stored = Stored(file);
    EXPECT_EQ(stored.UseCount, 3u);
    EXPECT_EQ(stored.Slots[kUserNameSlot].Value.view(), "alice");
    // The form still shows the account, with the password masked again.
    ASSERT_NE(Form().ShownAccount(), nullptr);
    EXPECT_TRUE(Form().IsPasswordHidden());
    EXPECT_TRUE(Box(1027)->isReadOnly());
}

TEST_F(EditingTest, LoginWithNoAccountShownOpensNothing)
{
    StartApp();
    Box(1021)->setText("https://typed.example");
    Button(1040)->click();
    EXPECT_TRUE(desktop.openedAddresses.empty());
    EXPECT_TRUE(FileNames(folders.data).empty());
    EXPECT_TRUE(Form().IsPasswordHidden());
}

TEST_F(EditingTest, ThePanesButtonsActOnTheFormAsItsOwnDo)
{
    WriteAccount(Named(u"Mail"));
    WriteAccount(Named(u"Bank"));
    StartApp();
    Open(u"Mail");
    PaneButton(1040)->trigger();
    ASSERT_EQ(desktop.openedAddresses.size(), 1u);
    EXPECT_EQ(desktop.openedAddresses[0], "https://example.com?LedgerAt=Mail");

    Box(1021)->setText("https://changed.example");
    desktop.answers = {true};
    PaneButton(1028)->trigger();
    EXPECT_EQ(Stored(FileOf(u"Mail")).Url.view(), "https://changed.example");
    ExpectBlankForm();

    Open(u"Bank");
    const std::filesystem::path bank = FileOf(u"Bank");
    desktop.answers = {true};
    PaneButton(1030)->trigger();
    EXPECT_FALSE(std::filesystem::exists(bank));
    ExpectBlankForm();
}

} // namespace
} // namespace lk::test
