#include "AppFixture.h"
#include "gui/toolkit/CommandIds.h"

#include <QApplication>
#include <QTest>
#include <functional>

namespace lk::test {
namespace {

// The form's six boxes by control id, the comment box last.
constexpr int kLineBoxes[] = {1020, 1021, 1039, 1025, 1027};

// A way the form comes to be emptied or filled by the program.
struct FormPath
{
    const char* name;
    std::function<void(AppFixture&)> run;
};

class UndoHistoryTest : public AppFixture, public testing::WithParamInterface<FormPath>
{
public:
    // Each path starts from "Mail", shown with its password revealed and typed
    // into in every box, so that every box has something Undo could bring back.
    void SetUp() override
    {
        AccountFixture mail = Named(u"Mail");
        mail.url = "https://mail.example";
        mail.userName = "alice";
        mail.accountId = "A-17";
        mail.password = "secret";
        mail.comment = u"private note";
        WriteAccount(mail);
        AccountFixture bare = Named(u"Bare");
        bare.slotCount = 1;
        bare.password = "";
        bare.url = "";
        WriteAccount(bare);
        StartApp();
        SelectInTab(1, u"Mail");
        ASSERT_NE(Form().ShownAccount(), nullptr);
        Button(1001)->click();
        for (int id : kLineBoxes) {
            QTest::keyClicks(Box(id), "x");
        }
        QTest::keyClicks(CommentBox(), "x");
    }

    void Open(std::u16string_view name) { SelectInTab(1, name); }
    void Answer(bool yes) { desktop.answers.assign(4, yes); }
    void Run(int id) { Command(id); }
    void PressPane() { Pane().OnLButtonDown(); }

    // Undo from the menu, Alt+Backspace and Ctrl+Z in every box must leave it as it is.
    void ExpectNothingToUndo()
    {
        if (Form().IsPasswordHidden()) {
            Button(1001)->click();
        }
        for (int id : kLineBoxes) {
            QLineEdit* box = Box(id);
            const QString shown = box->text();
            box->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
            EXPECT_FALSE(box->isUndoAvailable()) << id;
            Command(cmd::kEditUndo);
            EXPECT_EQ(box->text(), shown) << id << " after Edit > Undo";
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(box->text(), shown) << id << " after Ctrl+Z";
            QTest::keyClick(box, Qt::Key_Backspace, Qt::AltModifier);
            EXPECT_EQ(box->text(), shown) << id << " after Alt+Backspace";
        }
        QPlainTextEdit* comment = CommentBox();
        const QString shown = comment->toPlainText();
        comment->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        EXPECT_FALSE(comment->document()->isUndoAvailable());
        Command(cmd::kEditUndo);
        QTest::keyClick(comment, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(comment->toPlainText(), shown) << "comment";
    }
};

TEST_P(UndoHistoryTest, LeavesNothingToUndoInAnyBox)
{
    GetParam().run(*this);
    ExpectNothingToUndo();
}

INSTANTIATE_TEST_SUITE_P(
    FormPaths, UndoHistoryTest,
    testing::Values(FormPath{"New", [](AppFixture& t) { static_cast<UndoHistoryTest&>(t).Run(cmd::kAccountNew); }},
                    FormPath{"SaveAnsweredYes",
                             [](AppFixture& t) {
                                 auto& test = static_cast<UndoHistoryTest&>(t);
                                 test.Answer(true);
                                 test.Run(cmd::kAccountSave);
                             }},
                    FormPath{"SaveAnsweredNo",
                             [](AppFixture& t) {
                                 auto& test = static_cast<UndoHistoryTest&>(t);
                                 test.Answer(false);
                                 test.Run(cmd::kAccountSave);
                             }},
                    FormPath{"DeleteAnsweredYes",
                             [](AppFixture& t) {
                                 auto& test = static_cast<UndoHistoryTest&>(t);
                                 test.Answer(true);
                                 test.Run(cmd::kAccountDelete);
                             }},
                    FormPath{"DeleteAnsweredNo",
                             [](AppFixture& t) {
                                 auto& test = static_cast<UndoHistoryTest&>(t);
                                 test.Answer(false);
                                 test.Run(cmd::kAccountDelete);
                             }},
                    FormPath{"AnAccountWithFewerSlotsOpened",
                             [](AppFixture& t) { static_cast<UndoHistoryTest&>(t).Open(u"Bare"); }},
                    FormPath{"TheSameAccountOpenedAgain",
                             [](AppFixture& t) {
                                 auto& test = static_cast<UndoHistoryTest&>(t);
                                 test.Open(u"Account List");
                                 test.Open(u"Mail");
                             }},
                    FormPath{"TheRootChosen",
                             [](AppFixture& t) { static_cast<UndoHistoryTest&>(t).Open(u"Account List"); }},
                    FormPath{"APressOnThePane", [](AppFixture& t) { static_cast<UndoHistoryTest&>(t).PressPane(); }}),
    [](const testing::TestParamInfo<FormPath>& info) { return std::string(info.param.name); });

class TypingUndoTest : public AppFixture
{};

TEST_F(TypingUndoTest, TypingInABoxIsUndoneInOneStep)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    QLineEdit* url = Box(1021);
    url->setFocus(Qt::OtherFocusReason);
    url->setCursorPosition(url->text().size());
    QTest::keyClicks(url, "/inbox");
    EXPECT_EQ(url->text(), "https://example.com/inbox");
    Command(cmd::kEditUndo);
    EXPECT_EQ(url->text(), "https://example.com");
    EXPECT_FALSE(url->isUndoAvailable());
}

TEST_F(TypingUndoTest, ALongValueShowsItsBeginning)
{
    AccountFixture account = Named(u"Long");
    account.url = "https://a-very-long-host-name.example.com/with/a/long/path/that/does/not/fit/its/box?query=1";
    WriteAccount(account);
    StartApp();
    SelectInTab(1, u"Long");
    EXPECT_EQ(Box(1021)->cursorPosition(), 0);
    EXPECT_EQ(CommentBox()->textCursor().position(), 0);
}

} // namespace
} // namespace lk::test
