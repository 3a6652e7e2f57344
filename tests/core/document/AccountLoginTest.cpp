#include "core/document/AccountLogin.h"

#include "core/document/DocumentFixture.h"
#include "core/editor/EditorTexts.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using test::MakeAccount;
using Shown = test::ScriptedDesktop::Shown;

class AccountLoginTest : public test::DocumentFixture
{
protected:
    AccountRecord shown;
    std::string stem;

    void SetUp() override
    {
        shown = MakeAccount({u"Mail", "mail.example", "me", "id-1", "pw", u"note", 3});
        shown.UseCount = 4;
        stem = StoredAsShown(shown);
    }

    AccountRecord Reloaded() { return LoadedStem(stem).value(); }
};

TEST_F(AccountLoginTest, CountsOneUseSavesAndOpensTheLoginAddress)
{
    EXPECT_EQ(LoginAccount(*document, &shown, ShownBoxes(shown)), LoginOutcome::Launched);
    EXPECT_EQ(shown.UseCount, 5U);
    EXPECT_EQ(Reloaded().UseCount, 5U);
    EXPECT_EQ(desktop.openedAddresses, std::vector<std::string>{"http://mail.example?LedgerAt=Mail"});
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(form.resets, 0) << "Login does not reset the form";

    static_cast<void>(LoginAccount(*document, &shown, ShownBoxes(shown)));
    EXPECT_EQ(Reloaded().UseCount, 6U) << "each Login counts exactly one";
}

TEST_F(AccountLoginTest, EmptyBoxesLeaveTheirFieldsAlone)
{
    FormBoxes boxes = ShownBoxes(shown);
    boxes.userName.clear();
    boxes.password.clear();
    boxes.comment.clear();
    shown.Slots[kPasswordSlot].Flag = 0;
    static_cast<void>(LoginAccount(*document, &shown, boxes));
    const AccountRecord saved = Reloaded();
    EXPECT_EQ(saved.Slots[kUserNameSlot].Value.view(), "me") << "a cleared user name is kept";
    EXPECT_EQ(saved.Slots[kPasswordSlot].Value.view(), "pw");
    EXPECT_EQ(saved.Slots[kPasswordSlot].Flag, 0) << "no password typed, flag as it was";
    EXPECT_EQ(saved.Comment.view(), u"note");
}

TEST_F(AccountLoginTest, TypedBoxesGoIntoTheRecord)
{
    shown.SlotCount = 1;
    shown.Slots[kPasswordSlot].Flag = 0;
    FormBoxes boxes = ShownBoxes(shown);
    boxes.userName = u"typed user";
    boxes.password = u"typed pw";
    boxes.account = std::u16string(130, u'n');
    static_cast<void>(LoginAccount(*document, &shown, boxes));
    const AccountRecord saved = Reloaded();
    EXPECT_EQ(saved.Slots[kUserNameSlot].Value.view(), "typed user");
    EXPECT_EQ(saved.SlotCount, 1U) << "Login changes no slot count";
    EXPECT_EQ(saved.Slots[kPasswordSlot].Flag, 1);
    EXPECT_EQ(saved.AccountName.view(), std::u16string(126, u'n')) << "the box is read with its limit";
    EXPECT_EQ(saved.Kind, kKindSaved);
}

TEST_F(AccountLoginTest, NoAccountReadsSavesAndOpensNothing)
{
    const auto files = DataFiles();
    EXPECT_EQ(LoginAccount(*document, nullptr, ShownBoxes(shown)), LoginOutcome::NoAccount);
    EXPECT_TRUE(document->LaunchLogin(nullptr));
    EXPECT_TRUE(desktop.openedAddresses.empty());
    EXPECT_EQ(DataFiles(), files);
}

TEST_F(AccountLoginTest, AddressIsAppendedToTheUrlAsItStands)
{
    struct Row
    {
        std::string url;
        std::u16string name;
        std::u16string address;
    };
    for (const Row& row :
         {Row{"https://x.example/?q=1", u"Mail", u"https://x.example/?q=1?LedgerAt=Mail"},
          Row{"x.example#top", u"A & B", u"x.example#top?LedgerAt=A & B"}, Row{"", u"Mail", u"?LedgerAt=Mail"}}) {
        shown.Url = row.url;
        shown.AccountName = row.name;
        EXPECT_EQ(LoginAddress(shown), row.address);
    }
}

TEST_F(AccountLoginTest, BlanksAroundTheUrlAreIgnoredForOpeningOnly)
{
    shown.Url = " \thttps://mail.example/in  ";
    EXPECT_EQ(LoginAccount(*document, &shown, ShownBoxes(shown)), LoginOutcome::Launched);
    EXPECT_EQ(desktop.openedAddresses, std::vector<std::string>{"https://mail.example/in?LedgerAt=Mail"});
    const AccountRecord saved = Reloaded();
    EXPECT_EQ(saved.Url.view(), " \thttps://mail.example/in  ") << "the stored URL is unchanged";
    EXPECT_EQ(saved.UseCount, 5U);
}

TEST_F(AccountLoginTest, EmptyUrlStillCountsAndSavesButOpensNothing)
{
    shown.Url = "";
    static_cast<void>(LoginAccount(*document, &shown, ShownBoxes(shown)));
    EXPECT_EQ(Reloaded().UseCount, 5U);
    EXPECT_TRUE(desktop.openedAddresses.empty());
}

TEST_F(AccountLoginTest, LocalProgramsAreNeverOpened)
{
    for (const char* url : {"javascript:alert(1)", "file:///bin/sh", "mailto:me@example.com"}) {
        shown.Url = url;
        static_cast<void>(LoginAccount(*document, &shown, ShownBoxes(shown)));
    }
    EXPECT_TRUE(desktop.openedAddresses.empty());
    EXPECT_TRUE(desktop.messages.empty()) << "refused silently";
}

TEST_F(AccountLoginTest, FailedSaveIsShownAndTheSiteStillOpens)
{
    BreakDataFolder();
    EXPECT_EQ(LoginAccount(*document, &shown, ShownBoxes(shown)), LoginOutcome::SaveFailed);
    EXPECT_EQ(desktop.messages, (std::vector<Shown>{{std::u16string(kSaveFailedMessage), std::u16string(kErrorCaption),
                                                     DesktopPort::Owner::Form}}));
    EXPECT_EQ(desktop.openedAddresses, std::vector<std::string>{"http://mail.example?LedgerAt=Mail"});
    EXPECT_EQ(shown.UseCount, 5U) << "the count stays in memory";
}

} // namespace
} // namespace lk
