// The explorer's Find box: it narrows both trees as the user types and keeps
// doing so across every refresh.
#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"

#include <QLineEdit>
#include <QTest>

namespace lk::test {
namespace {

using Names = std::vector<std::u16string>;

class FindBoxTest : public AppFixture
{
protected:
    void WriteThree()
    {
        AccountFixture mail = Named(u"Stra\u00DFe Mail");
        mail.url = "https://mail.example";
        mail.useCount = 1;
        WriteAccount(mail);
        AccountFixture bank = Named(u"Bank");
        bank.url = "https://bank.example";
        bank.userName = "ZO\xC3\x8B";
        bank.useCount = 5;
        WriteAccount(bank);
        AccountFixture post = Named(u"Post");
        post.url = "https://post.example/mail";
        WriteAccount(post);
    }

    QLineEdit& Find() const { return *Pane().FindBox(); }
    void Type(const QString& text) const
    {
        Find().setFocus();
        // Qt's key helpers type ASCII only; other text arrives as an input method would insert it.
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(&Find(), QString(c));
            } else {
                Find().insert(QString(c));
            }
        }
    }
    Names Frequency() const { return ItemNames(*Pane().FrequencyTree()); }
    Names Alphabet() const { return ItemNames(*Pane().AlphabetTree()); }
};

TEST_F(FindBoxTest, TypingNarrowsBothTreesInTheirOrders)
{
    WriteThree();
    StartApp();
    EXPECT_EQ(Find().placeholderText(), "Find");
    EXPECT_EQ(Frequency(), (Names{u"Bank", u"Stra\u00DFe Mail", u"Post"}));

    Type("MAIL");
    EXPECT_EQ(Frequency(), (Names{u"Stra\u00DFe Mail", u"Post"}));
    EXPECT_EQ(Alphabet(), (Names{u"Post", u"Stra\u00DFe Mail"}));
    EXPECT_EQ(Pane().FrequencyTree()->Root().data().toString(), "Account List") << "the root stays";

    Find().clear();
    Type("strasse");
    EXPECT_EQ(Frequency(), (Names{u"Stra\u00DFe Mail"}));
    Find().clear();
    Type("zo\u00EB");
    EXPECT_EQ(Alphabet(), (Names{u"Bank"})) << "the user name counts";
    Find().clear();
    Type("secret");
    EXPECT_EQ(Frequency(), Names{}) << "passwords are never searched";

    // Escape clears the box, and the trees are whole again.
    QTest::keyClick(&Find(), Qt::Key_Escape);
    EXPECT_TRUE(Find().text().isEmpty());
    EXPECT_EQ(Frequency(), (Names{u"Bank", u"Stra\u00DFe Mail", u"Post"}));
    EXPECT_EQ(Alphabet(), (Names{u"Bank", u"Post", u"Stra\u00DFe Mail"}));
}

TEST_F(FindBoxTest, TheFilterSurvivesSaveAndAPressOnThePane)
{
    WriteThree();
    StartApp();
    Type("mail");
    SelectInTab(1, u"Post");
    ASSERT_NE(Form().ShownAccount(), nullptr);
    Box(ctl::kAccountIdBox)->setText("changed");
    desktop.answers = {true};
    ASSERT_TRUE(Command(cmd::kAccountSave));
    Settle();
    EXPECT_EQ(Find().text(), "mail");
    EXPECT_EQ(Frequency(), (Names{u"Stra\u00DFe Mail", u"Post"}));
    EXPECT_EQ(Alphabet(), (Names{u"Post", u"Stra\u00DFe Mail"}));

    // An account added by hand shows up at the next press only when it passes.
    AccountFixture added = Named(u"Webmail");
    WriteAccount(added);
    WriteAccount(Named(u"Zoo"));
    Pane().OnLButtonDown();
    EXPECT_EQ(Alphabet(), (Names{u"Post", u"Stra\u00DFe Mail", u"Webmail"}));
}

TEST_F(FindBoxTest, AnEmptyBoxLeavesTheTreesAsTheyAre)
{
    WriteThree();
    StartApp();
    const Names frequency = Frequency();
    Type("x");
    QTest::keyClick(&Find(), Qt::Key_Backspace);
    EXPECT_EQ(Frequency(), frequency);
    EXPECT_EQ(Alphabet(), (Names{u"Bank", u"Post", u"Stra\u00DFe Mail"}));
}

TEST_F(FindBoxTest, CtrlFFocusesTheBoxAndDownMovesIntoTheTree)
{
    WriteThree();
    StartApp();
    Frame().activateWindow();
    ASSERT_TRUE(Command(cmd::kFind));
    EXPECT_EQ(QApplication::focusWidget(), &Find());
    Type("bank");
    QTest::keyClick(&Find(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Pane().FrequencyTree());
    EXPECT_EQ(Document().GetTitle(), u"Bank") << "the first account in the tree is opened";
}

TEST_F(FindBoxTest, AKeptSelectionIsNotOpenedAgain)
{
    WriteThree();
    StartApp();
    SelectInTab(0, u"Post");
    Box(ctl::kUserNameBox)->setText("typed");
    Type("post");
    EXPECT_EQ(Pane().FrequencyTree()->SelectedItem().data().toString(), "Post");
    EXPECT_EQ(Box(ctl::kUserNameBox)->text(), "typed") << "what was typed stays";
}

} // namespace
} // namespace lk::test
