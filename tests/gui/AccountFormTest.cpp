#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"

#include <QMdiArea>

namespace lk::test {
namespace {

class AccountFormTest : public AppFixture
{
protected:
    // Shows `account` in the form, as the explorer does.
    void Show(const AccountFixture& account)
    {
        WriteAccount(account);
        Document().RefreshAccounts();
        Form().OnInitialUpdate();
        const std::ptrdiff_t index = Document().Accounts().FindByName(account.name);
        ASSERT_GE(index, 0);
        ASSERT_TRUE(Document().OpenAccount(Document().Accounts().GetAt(index)));
    }

    void ExpectMasked()
    {
        EXPECT_TRUE(Form().IsPasswordHidden());
        EXPECT_EQ(Box(1027)->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(Box(1027)->isReadOnly());
    }

    void ExpectPlain()
    {
        EXPECT_FALSE(Form().IsPasswordHidden());
        EXPECT_EQ(Box(1027)->echoMode(), QLineEdit::Normal);
        EXPECT_FALSE(Box(1027)->isReadOnly());
    }
};

TEST_F(AccountFormTest, TheFormHasTheTemplatesControlsInItsTabOrder)
{
    StartApp();
    const int boxes[] = {1020, 1021, 1039, 1025, 1027};
    for (int id : boxes) {
        ASSERT_NE(Box(id), nullptr) << id;
        EXPECT_TRUE(Box(id)->text().isEmpty());
    }
    ASSERT_NE(CommentBox(), nullptr);
    const std::pair<int, const char*> buttons[] = {
        {1031, "&New"}, {1028, "&Save"}, {1030, "&Delete"}, {1040, "&Login"}, {1001, "..."}};
    for (const auto& [id, text] : buttons) {
        ASSERT_NE(Button(id), nullptr) << id;
        EXPECT_EQ(Button(id)->text(), text);
        EXPECT_TRUE(Button(id)->isEnabled());
    }
    for (const char* fixed : {"Account", "URL", "Comment"}) {
        bool found = false;
        for (QLabel* label : Form().findChildren<QLabel*>()) {
            found = found || label->text() == fixed;
        }
        EXPECT_TRUE(found) << fixed;
    }

    // The tab order of the template: the six boxes, the four buttons, the reveal button.
    const char* order[] = {"1020", "1021", "1039", "1025", "1027", "1037", "1031", "1028", "1030", "1040", "1001"};
    QWidget* widget = Form().findChild<QWidget*>(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus) {
            widget = widget->nextInFocusChain();
        }
        EXPECT_EQ(widget->objectName(), order[i]) << "after " << order[i - 1];
    }
    // The boxes keep their relative places: Account above URL, the reveal button right of the password.
    EXPECT_LT(Box(1020)->y(), Box(1021)->y());
    EXPECT_GT(Button(1001)->x(), Box(1027)->geometry().right());
    EXPECT_EQ(Box(1020)->x(), Box(1021)->x());
}

TEST_F(AccountFormTest, TheResetLeavesAnEmptyUntitledFormWithLabelsWithoutColons)
{
    StartApp();
    AccountFixture account = Named(u"Mail");
    Show(account);
    ASSERT_NE(Form().ShownAccount(), nullptr);
    const auto before = Document().Accounts().GetCount();

    Form().OnInitialUpdate();
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    EXPECT_EQ(Document().GetTitle(), u"Untitled");
    EXPECT_EQ(Document().m_pFormView, &Form());
    for (int id : {1020, 1021, 1039, 1025, 1027}) {
        EXPECT_TRUE(Box(id)->text().isEmpty()) << id;
    }
    EXPECT_TRUE(CommentBox()->toPlainText().isEmpty());
    EXPECT_EQ(Label(1033)->text(), "User Name");
    EXPECT_EQ(Label(1034)->text(), "Account ID");
    EXPECT_EQ(Label(1035)->text(), "Password");
    ExpectMasked();
    // The store is untouched by a reset.
    EXPECT_EQ(Document().Accounts().GetCount(), before);
    Document().RefreshAccounts();
    EXPECT_GE(Document().Accounts().FindByName(u"Mail"), 0);
}

struct ShowCase
{
    const char* title;
    std::uint32_t slotCount;
    const char* passwordLabel;
    const char* userNameLabel;
    const char* accountIdLabel;
    // Expected: the three labels and the three login boxes.
    const char* shownPasswordLabel;
    const char* shownUserNameLabel;
    const char* shownAccountIdLabel;
    const char* password;
    const char* userName;
    const char* accountId;
};

void PrintTo(const ShowCase& c, std::ostream* out)
{
    *out << c.title;
}

class ShowAccountTest : public AccountFormTest, public testing::WithParamInterface<ShowCase>
{};

TEST_P(ShowAccountTest, ShowsTheSlotsInUseWithTheirLabels)
{
    const ShowCase& c = GetParam();
    StartApp();
    AccountFixture account = Named(u"Shown");
    account.url = "https://shown.example/";
    account.slotCount = c.slotCount;
    account.password = "pw";
    account.userName = "alice";
    account.accountId = "42";
    account.passwordLabel = c.passwordLabel;
    account.userNameLabel = c.userNameLabel;
    account.accountIdLabel = c.accountIdLabel;
    account.comment = u"line one\r\nline two";
    Show(account);

    EXPECT_EQ(Box(1020)->text(), "Shown");
    EXPECT_EQ(Box(1021)->text(), "https://shown.example/");
    EXPECT_EQ(Label(1035)->text(), c.shownPasswordLabel);
    EXPECT_EQ(Label(1033)->text(), c.shownUserNameLabel);
    EXPECT_EQ(Label(1034)->text(), c.shownAccountIdLabel);
    EXPECT_EQ(Box(1027)->text(), c.password);
    EXPECT_EQ(Box(1039)->text(), c.userName);
    EXPECT_EQ(Box(1025)->text(), c.accountId);
    EXPECT_EQ(CommentBox()->toPlainText(), "line one\nline two");
    EXPECT_EQ(Document().GetTitle(), u"Shown");
    ExpectMasked();
}

INSTANTIATE_TEST_SUITE_P(
    SlotCounts, ShowAccountTest,
    testing::Values(
        ShowCase{"AllThree", 3, "", "", "", "Password:", "User Name:", "Account ID:", "pw", "alice", "42"},
        ShowCase{"TwoLeaveTheAccountIdOut", 2, "", "", "Customer No", "Password:", "User Name:", "Account ID:", "pw",
                 "alice", ""},
        ShowCase{"OneShowsThePasswordOnly", 1, "", "Login", "", "Password:", "User Name:", "Account ID:", "pw", "", ""},
        ShowCase{"NoneShowsNothing", 0, "PIN", "", "", "Password:", "User Name:", "Account ID:", "", "", ""},
        ShowCase{"FourIsLikeThree", 4, "", "", "", "Password:", "User Name:", "Account ID:", "pw", "alice", "42"},
        ShowCase{"SlotLabelsWithoutLeadingBlanks", 3, "  PIN  ", "Member", " Card", "PIN  ", "Member", "Card", "pw",
                 "alice", "42"},
        ShowCase{"BlankLabelsKeepTheDefault", 3, "   ", " ", "", "Password:", "User Name:", "Account ID:", "pw",
                 "alice", "42"}),
    [](const testing::TestParamInfo<ShowCase>& info) { return info.param.title; });

TEST_F(AccountFormTest, RevealTogglesThePasswordBoxAndShowingMasksItAgain)
{
    StartApp();
    AccountFixture account = Named(u"Mail");
    account.password = "open sesame";
    Show(account);
    ExpectMasked();

    Button(1001)->click();
    ExpectPlain();
    EXPECT_EQ(Box(1027)->text(), "open sesame");
    Button(1001)->click();
    ExpectMasked();
    EXPECT_EQ(Box(1027)->text(), "open sesame");

    Button(1001)->click();
    ExpectPlain();
    ASSERT_TRUE(Document().OpenAccount(Form().ShownAccount()));
    ExpectMasked();
}

TEST_F(AccountFormTest, ShowingNoAccountChangesNothing)
{
    StartApp();
    Box(1020)->setText("typed");
    Box(1021)->setText("https://typed.example");
    EXPECT_FALSE(Form().ShowAccount(nullptr));
    EXPECT_EQ(Box(1020)->text(), "typed");
    EXPECT_EQ(Box(1021)->text(), "https://typed.example");
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    EXPECT_EQ(Document().GetTitle(), u"Untitled");
}

TEST_F(AccountFormTest, ReadingTheBoxesCutsEachToItsLimit)
{
    StartApp();
    Box(1020)->setText(QString(200, 'a'));
    Box(1021)->setText(QString(600, 'u'));
    Box(1039)->setText(QString(100, 'n'));
    Box(1025)->setText(QString(63, 'i'));
    Box(1027)->setText(QString(62, 'p'));
    CommentBox()->setPlainText(QString(600, 'c'));
    const FormBoxes boxes = Form().ReadBoxes();
    EXPECT_EQ(boxes.account.size(), 126u);
    EXPECT_EQ(boxes.url.size(), 510u);
    EXPECT_EQ(boxes.userName.size(), 62u);
    EXPECT_EQ(boxes.accountId.size(), 62u);
    EXPECT_EQ(boxes.password.size(), 62u);
    EXPECT_EQ(boxes.comment.size(), 510u);
}

TEST_F(AccountFormTest, TheCommentsLineBreaksReadAsTheyWereStored)
{
    StartApp();
    AccountFixture account = Named(u"Mail");
    account.comment = u"first\r\nsecond";
    Show(account);
    EXPECT_EQ(Form().ReadBoxes().comment, u"first\r\nsecond");
}

TEST_F(AccountFormTest, ClosingTheWindowWithTypedTextAsksNothingAndLeavesTheStore)
{
    StartApp();
    AccountFixture account = Named(u"Mail");
    Show(account);
    Box(1021)->setText("https://changed.example");
    CloseAllAccountWindows();
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(ActiveChild(), nullptr);

    ASSERT_TRUE(Command(cmd::kFileNew));
    const std::ptrdiff_t index = Document().Accounts().FindByName(u"Mail");
    ASSERT_GE(index, 0);
    EXPECT_EQ(Document().Accounts().GetAt(index)->Url.view(), "https://example.com");
}

} // namespace
} // namespace lk::test
