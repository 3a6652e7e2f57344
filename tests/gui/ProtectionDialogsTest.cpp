// Tools > Protect with Master Password..., Change Master Password... and
// Remove Protection... through their dialogs: what each asks, what it tells,
// what it leaves in the data folder and in the open documents, and when each
// is available.
#include "ProtectedAppFixture.h"
#include "core/document/CReaderDoc.h"
#include "core/document/StoreProtection.h"
#include "core/ports/Captions.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "gui/shell/MasterPasswordDialog.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/CommandRouter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace lk::test {
namespace {

// What one showing of the dialog is answered: the entries it has are filled,
// then OK (or Cancel).
struct Typing
{
    std::string current;
    std::string fresh;
    std::string repeated;
    bool ok = true;
};

class ProtectionDialogsTest : public ProtectedAppFixture
{
protected:
    ProtectionDialogsTest()
    {
        configure = [](AppOptions& options) { options.keyDerivationCost = [] { return KeyDerivationCost::Least(); }; };
        // Every master password dialog that opens is answered from `typing`;
        // one more than scripted is cancelled.
        m_answerer.setInterval(0);
        QObject::connect(&m_answerer, &QTimer::timeout, [this] { AnswerOpenDialog(); });
        m_answerer.start();
    }

    void AnswerOpenDialog()
    {
        auto* dialog = qobject_cast<MasterPasswordDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        titles.push_back(dialog->windowTitle());
        if (typing.empty()) {
            dialog->reject();
            return;
        }
        const Typing next = typing.front();
        typing.pop_front();
        const std::pair<QLineEdit*, const std::string*> entries[] = {{dialog->CurrentEntry(), &next.current},
                                                                     {dialog->NewEntry(), &next.fresh},
                                                                     {dialog->RepeatEntry(), &next.repeated}};
        for (const auto& [entry, text] : entries) {
            if (entry != nullptr) {
                EXPECT_EQ(entry->echoMode(), QLineEdit::Password);
                entry->setText(QString::fromStdString(*text));
            }
        }
        if (dialog->StrengthLine() != nullptr) {
            strengths.push_back(dialog->StrengthLine()->text());
        }
        if (next.ok) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    }

    void StartUnprotected()
    {
        WriteAccount(Named(u"Mail"));
        WriteAccount(Named(u"Bank"));
        ASSERT_TRUE(Start({}));
    }

    void StartProtected()
    {
        ProtectTheStore();
        ASSERT_TRUE(Start({"master"}));
    }

    // Each account file of the data folder: true when written protected.
    std::vector<bool> ProtectedFiles() const
    {
        std::vector<bool> marks;
        for (const std::string& name : FileNames(folders.data)) {
            if (name.ends_with(".dat")) {
                marks.push_back(ProtectedAccountFile::HasMarker(ReadBytes(folders.data / name)));
            }
        }
        return marks;
    }

    ProtectionOutcome Opens(std::string_view master) const { return UnlockStore(folders.data, Secret(master)).outcome; }

    static std::vector<ScriptedDesktop::Shown> Told(std::initializer_list<std::u16string_view> texts)
    {
        std::vector<ScriptedDesktop::Shown> shown;
        for (std::u16string_view text : texts) {
            shown.push_back({std::u16string(text), std::u16string(kErrorCaption), DesktopPort::Owner::MainWindow});
        }
        return shown;
    }

    // Which of Protect, Change, Remove and Lock are available now.
    std::vector<bool> Available() const
    {
        std::vector<bool> available;
        for (int id : {cmd::kProtectStore, cmd::kChangeMasterPassword, cmd::kRemoveProtection, cmd::kLock}) {
            available.push_back(Frame().Router().Handles(id));
        }
        return available;
    }

    std::deque<Typing> typing;
    QStringList titles;
    QStringList strengths;

private:
    QTimer m_answerer;
};

TEST_F(ProtectionDialogsTest, ProtectAsksTwiceUntilBothAgreeThenEncryptsEveryFile)
{
    StartUnprotected();
    EXPECT_EQ(Available(), (std::vector<bool>{true, false, false, false}));
    typing = {
        {"", "correct horse", "correct hose"}, {"", "", ""}, {"", "correct horse battery", "correct horse battery"}};
    ASSERT_TRUE(Command(cmd::kProtectStore));
    Settle();
    EXPECT_EQ(titles, QStringList(3, "Protect with Master Password"));
    EXPECT_EQ(desktop.messages,
              Told({u"The two new master passwords differ.", u"A master password must not be empty."}));
    ASSERT_FALSE(strengths.isEmpty());
    EXPECT_TRUE(strengths.front().startsWith("Strength: ")) << strengths.front().toStdString();
    EXPECT_TRUE(ProtectionKeyFile::ExistsIn(folders.data));
    EXPECT_EQ(ProtectedFiles(), (std::vector<bool>{true, true}));
    EXPECT_EQ(Opens("correct horse battery"), ProtectionOutcome::Done);
    // The open document writes protected from now on, and the trees stay as they were.
    EXPECT_NE(Document().GetStoreKey(), nullptr);
    EXPECT_TRUE(app->HoldsStoreKey());
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail"}));
    EXPECT_EQ(Available(), (std::vector<bool>{false, true, true, true}));

    // A save writes protected, and the refresh after it reads the file back.
    SelectInTab(1, u"Mail");
    desktop.answers = {true};
    Box(ctl::kUrlBox)->setText("https://changed.example");
    ASSERT_TRUE(Command(cmd::kAccountSave));
    EXPECT_EQ(ProtectedFiles(), (std::vector<bool>{true, true}));
    SelectInTab(1, u"Mail");
    EXPECT_EQ(Box(ctl::kUrlBox)->text(), "https://changed.example");
}

TEST_F(ProtectionDialogsTest, CancelledProtectChangesNothing)
{
    StartUnprotected();
    typing = {{"", "correct horse", "correct horse", false}};
    ASSERT_TRUE(Command(cmd::kProtectStore));
    Settle();
    EXPECT_EQ(titles.size(), 1);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(ProtectionKeyFile::ExistsIn(folders.data));
    EXPECT_EQ(ProtectedFiles(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Document().GetStoreKey(), nullptr);
}

TEST_F(ProtectionDialogsTest, ChangeAsksTheCurrentOneAgainWhenWrongAndRewrapsOnlyTheKey)
{
    StartProtected();
    EXPECT_EQ(Available(), (std::vector<bool>{false, true, true, true}));
    const std::vector<std::string> before = FileNames(folders.data);
    std::vector<std::vector<std::uint8_t>> accountBytes;
    for (const std::string& name : before) {
        if (name.ends_with(".dat")) {
            accountBytes.push_back(ReadBytes(folders.data / name));
        }
    }
    typing = {{"master", "new one", "new two"}, {"wrong", "new one", "new one"}, {"master", "new one", "new one"}};
    ASSERT_TRUE(Command(cmd::kChangeMasterPassword));
    Settle();
    EXPECT_EQ(titles, QStringList(3, "Change Master Password"));
    EXPECT_EQ(desktop.messages,
              Told({u"The two new master passwords differ.", u"The master password is not correct."}));
    EXPECT_EQ(Opens("new one"), ProtectionOutcome::Done);
    EXPECT_EQ(Opens("master"), ProtectionOutcome::WrongPassword);
    std::vector<std::vector<std::uint8_t>> after;
    for (const std::string& name : FileNames(folders.data)) {
        if (name.ends_with(".dat")) {
            after.push_back(ReadBytes(folders.data / name));
        }
    }
    EXPECT_EQ(after, accountBytes) << "no account file changes";
    EXPECT_NE(Document().GetStoreKey(), nullptr);
}

TEST_F(ProtectionDialogsTest, RemoveAsksAgainWhenWrongThenWritesEveryFileScrambled)
{
    StartProtected();
    typing = {{"wrong", "", ""}, {"master", "", ""}};
    ASSERT_TRUE(Command(cmd::kRemoveProtection));
    Settle();
    EXPECT_EQ(titles, QStringList(2, "Remove Protection"));
    EXPECT_EQ(desktop.messages, Told({u"The master password is not correct."}));
    EXPECT_FALSE(ProtectionKeyFile::ExistsIn(folders.data));
    EXPECT_EQ(ProtectedFiles(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Document().GetStoreKey(), nullptr);
    EXPECT_FALSE(app->HoldsStoreKey());
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail"}));
    EXPECT_EQ(Available(), (std::vector<bool>{true, false, false, false}));
}

TEST(MasterPasswordDialogTest, EachPurposeHasItsEntriesAndKeepsNoCopyOnceTaken)
{
    using Purpose = MasterPasswordDialog::Purpose;
    const std::tuple<Purpose, bool, bool> purposes[] = {
        {Purpose::Protect, false, true}, {Purpose::Change, true, true}, {Purpose::Remove, true, false}};
    for (const auto& [purpose, current, fresh] : purposes) {
        MasterPasswordDialog dialog(purpose);
        EXPECT_EQ(dialog.CurrentEntry() != nullptr, current);
        EXPECT_EQ(dialog.NewEntry() != nullptr, fresh);
        EXPECT_EQ(dialog.RepeatEntry() != nullptr, fresh);
        EXPECT_EQ(dialog.StrengthLine() != nullptr, fresh);
        for (QLineEdit* entry : {dialog.CurrentEntry(), dialog.NewEntry(), dialog.RepeatEntry()}) {
            if (entry != nullptr) {
                entry->setText("typed");
            }
        }
        const auto taken = dialog.TakePasswords();
        ASSERT_TRUE(taken.has_value());
        EXPECT_EQ(taken->current.size(), current ? 5U : 0U);
        EXPECT_EQ(taken->fresh.size(), fresh ? 5U : 0U);
        for (QLineEdit* entry : {dialog.CurrentEntry(), dialog.NewEntry(), dialog.RepeatEntry()}) {
            if (entry != nullptr) {
                EXPECT_TRUE(entry->text().isEmpty());
                EXPECT_FALSE(entry->isUndoAvailable());
            }
        }
    }
}

} // namespace
} // namespace lk::test
