// Copying an account's fields: the password marked as a secret and cleared
// after the delay only while the clipboard still holds it, and at the end.
#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/SecretClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>

namespace lk::test {
namespace {

class ClipboardTest : public AppFixture
{
protected:
    void SetUp() override
    {
        QGuiApplication::clipboard()->clear();
        AccountFixture mail = Named(u"Mail");
        mail.url = "https://mail.example";
        mail.userName = "anna";
        mail.password = "s3cret";
        WriteAccount(mail);
        StartApp();
        SelectInTab(1, u"Mail");
    }

    static QString ClipboardText() { return QGuiApplication::clipboard()->text(); }
    SecretClipboard& Clipboard() const { return Frame().Clipboard(); }
    // Runs the countdown to its end, a second at a time, as its timer would.
    void RunOutTheDelay() const
    {
        for (int i = 0; i < 100 && Clipboard().IsClearPending(); ++i) {
            Clipboard().Tick();
        }
    }
};

TEST_F(ClipboardTest, CopyPasswordIsMarkedAndClearedAfterTheDelay)
{
    ASSERT_TRUE(Command(cmd::kCopyPassword));
    EXPECT_EQ(ClipboardText(), "s3cret");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("x-kde-passwordManagerHint"), "secret");
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Password copied; the clipboard clears in 10 s.");
    EXPECT_TRUE(Clipboard().IsClearPending());
    EXPECT_EQ(Clipboard().RemainingSeconds(), 10);
    Clipboard().Tick();
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Password copied; the clipboard clears in 9 s.");
    EXPECT_EQ(ClipboardText(), "s3cret");
    RunOutTheDelay();
    EXPECT_TRUE(ClipboardText().isEmpty());
    EXPECT_EQ(Document().GetTitle(), u"Mail") << "copying changes nothing in the form";
}

TEST_F(ClipboardTest, WhatWasCopiedSinceStays)
{
    ASSERT_TRUE(Command(cmd::kCopyPassword));
    QGuiApplication::clipboard()->setText("something else");
    RunOutTheDelay();
    EXPECT_EQ(ClipboardText(), "something else");
    EXPECT_FALSE(Clipboard().IsClearPending());
}

TEST_F(ClipboardTest, UserNameAndUrlAreNoSecrets)
{
    ASSERT_TRUE(Command(cmd::kCopyUserName));
    EXPECT_EQ(ClipboardText(), "anna");
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->data("x-kde-passwordManagerHint").isEmpty());
    EXPECT_FALSE(Clipboard().IsClearPending());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "User name copied.");
    ASSERT_TRUE(Command(cmd::kCopyUrl));
    EXPECT_EQ(ClipboardText(), "https://mail.example");
}

TEST_F(ClipboardTest, CopyingCountsNoUse)
{
    ASSERT_TRUE(Command(cmd::kCopyPassword));
    ASSERT_TRUE(Command(cmd::kCopyUserName));
    Document().RefreshAccounts();
    const AccountRecord* mail = Document().Accounts().GetAt(0);
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(mail->UseCount, 0u);
}

TEST_F(ClipboardTest, TheDelayIsASettingAndZeroNeverClears)
{
    QSettings("Local AppWizard-Generated Applications", "LedgerKeeper").setValue(SecretClipboard::kClearDelayKey, 3);
    ASSERT_TRUE(Command(cmd::kCopyPassword));
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Password copied; the clipboard clears in 3 s.");
    QSettings("Local AppWizard-Generated Applications", "LedgerKeeper").setValue(SecretClipboard::kClearDelayKey, 0);
    ASSERT_TRUE(Command(cmd::kCopyPassword));
    EXPECT_FALSE(Clipboard().IsClearPending());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Password copied.");
    EXPECT_EQ(ClipboardText(), "s3cret");
}

TEST_F(ClipboardTest, TheEndOfTheProgramClearsAnUnchangedClipboard)
{
    ASSERT_TRUE(Command(cmd::kCopyPassword));
    app.reset();
    EXPECT_TRUE(ClipboardText().isEmpty());
}

TEST_F(ClipboardTest, TheTreesContextMenuCopiesTheItemUnderIt)
{
    Command(cmd::kAccountNew);
    const QModelIndex item = ItemNamed(*Pane().FrequencyTree(), u"Mail");
    ASSERT_TRUE(item.isValid());
    Pane().RunItemCommand(*Pane().FrequencyTree(), item, cmd::kCopyPassword);
    EXPECT_EQ(ClipboardText(), "s3cret");
    EXPECT_TRUE(Clipboard().IsClearPending());
    Pane().RunItemCommand(*Pane().FrequencyTree(), item, cmd::kCopyUrl);
    EXPECT_EQ(ClipboardText(), "https://mail.example");
    EXPECT_EQ(Form().ShownAccount(), nullptr) << "copying opens nothing";

    // Login from the menu opens the account and logs in with it.
    desktop.answers = {};
    Pane().RunItemCommand(*Pane().FrequencyTree(), item, cmd::kAccountLogin);
    ASSERT_EQ(desktop.openedAddresses.size(), 1u);
    EXPECT_EQ(desktop.openedAddresses.front(), "https://mail.example?LedgerAt=Mail");
}

} // namespace
} // namespace lk::test
