#include "AppFixture.h"
#include "gui/toolkit/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace lk::test {
namespace {

class EditCommandsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AccountFixture account = Named(u"Mail");
        account.url = "https://mail.example";
        account.userName = "alice";
        account.password = "secret";
        account.comment = u"note";
        WriteAccount(account);
        StartApp();
        SelectInTab(1, u"Mail");
        ASSERT_NE(Form().ShownAccount(), nullptr);
        QApplication::clipboard()->setText("before");
    }

    static QString Clipboard() { return QApplication::clipboard()->text(); }

    void Focus(QWidget* box)
    {
        box->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }
};

TEST_F(EditCommandsTest, CopyLeavesTheLastSelectionInTheBoxOrderOnTheClipboard)
{
    Box(1020)->setSelection(0, 2); // "Ma"
    Box(1021)->setSelection(0, 5); // "https"
    Focus(Box(1021));
    // The Account box keeps its selection while the URL box has the focus.
    EXPECT_EQ(Box(1020)->selectedText(), "Ma");
    ASSERT_TRUE(Command(cmd::kEditCopy));
    EXPECT_EQ(Clipboard(), "Ma");
    EXPECT_EQ(Box(1020)->text(), "Mail");
    EXPECT_EQ(Box(1021)->text(), "https://mail.example");
}

TEST_F(EditCommandsTest, CutTakesEverySelectionButTheMaskedPasswords)
{
    Box(1039)->setSelection(0, 2); // "al"
    Box(1027)->selectAll();        // masked: gives nothing, keeps its text
    CommentBox()->selectAll();     // "note"
    Focus(Box(1039));
    ASSERT_TRUE(Command(cmd::kEditCut));
    EXPECT_EQ(Box(1039)->text(), "ice");
    EXPECT_EQ(CommentBox()->toPlainText(), "");
    EXPECT_EQ(Box(1027)->text(), "secret");
    // User Name comes after Comment in the order, and the password gives nothing.
    EXPECT_EQ(Clipboard(), "al");
}

TEST_F(EditCommandsTest, ARevealedPasswordGivesItsSelection)
{
    Button(1001)->click();
    Box(1027)->setSelection(0, 3);
    ASSERT_TRUE(Command(cmd::kEditCopy));
    EXPECT_EQ(Clipboard(), "sec");
    Button(1001)->click();
    Box(1027)->setSelection(0, 6);
    QApplication::clipboard()->setText("before");
    ASSERT_TRUE(Command(cmd::kEditCopy));
    EXPECT_EQ(Clipboard(), "before");
}

TEST_F(EditCommandsTest, CopyOrCutWithoutASelectionLeavesTheClipboard)
{
    for (QLineEdit* box : Form().findChildren<QLineEdit*>()) {
        box->deselect();
    }
    ASSERT_TRUE(Command(cmd::kEditCopy));
    ASSERT_TRUE(Command(cmd::kEditCut));
    EXPECT_EQ(Clipboard(), "before");
    EXPECT_EQ(Box(1020)->text(), "Mail");
}

TEST_F(EditCommandsTest, PasteGoesIntoTheFocusedBoxOnly)
{
    Box(1020)->setSelection(0, 4);
    Focus(Box(1021));
    Box(1021)->selectAll();
    ASSERT_TRUE(Command(cmd::kEditPaste));
    EXPECT_EQ(Box(1021)->text(), "before");
    EXPECT_EQ(Box(1020)->text(), "Mail");
    EXPECT_EQ(Box(1039)->text(), "alice");
}

TEST_F(EditCommandsTest, TheMaskedPasswordTakesNothingFromPaste)
{
    Focus(Box(1027));
    ASSERT_TRUE(Command(cmd::kEditPaste));
    EXPECT_EQ(Box(1027)->text(), "secret");
}

TEST_F(EditCommandsTest, UndoTouchesTheFocusedBoxOnly)
{
    Focus(Box(1020));
    QTest::keyClicks(Box(1020), "X");
    Focus(Box(1021));
    QTest::keyClicks(Box(1021), "Y");
    ASSERT_TRUE(Command(cmd::kEditUndo));
    EXPECT_EQ(Box(1021)->text(), "https://mail.example");
    EXPECT_TRUE(Box(1020)->text().contains('X'));
}

TEST_F(EditCommandsTest, TheEditAcceleratorsAreLeftToTheWindow)
{
    for (const char* keys : {"Shift+Ins", "Ctrl+Ins", "Shift+Del", "Alt+Backspace"}) {
        const QKeySequence sequence(keys);
        QKeyEvent override(QEvent::ShortcutOverride, sequence[0].key(), sequence[0].keyboardModifiers());
        override.setAccepted(false);
        QApplication::sendEvent(Box(1021), &override);
        EXPECT_FALSE(override.isAccepted()) << keys;
    }
    // Ctrl+C stays with the box itself.
    Box(1021)->selectAll();
    QKeyEvent copy(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier);
    copy.setAccepted(false);
    QApplication::sendEvent(Box(1021), &copy);
    EXPECT_TRUE(copy.isAccepted());
}

} // namespace
} // namespace lk::test
