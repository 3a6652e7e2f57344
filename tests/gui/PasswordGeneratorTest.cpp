// The password generator in the window: the dialog, its "Use", the strength
// line under a revealed password box and the Caps Lock warning.
#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/editor/PasswordGeneratorDialog.h"
#include "gui/toolkit/CapsLock.h"
#include "gui/toolkit/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QSpinBox>
#include <QTimer>

namespace lk::test {
namespace {

class PasswordGeneratorTest : public AppFixture
{
protected:
    void TearDown() override { SetCapsLockProbe({}); }

    // Runs `act` on the generator dialog once it is open, from the event loop
    // that its exec() runs; returns what the dialog showed as its password.
    QString WithDialog(const std::function<void(PasswordGeneratorDialog&)>& act, int command)
    {
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<PasswordGeneratorDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no generator dialog";
                return;
            }
            shown = dialog->Password();
            act(*dialog);
        });
        EXPECT_TRUE(Command(command));
        return shown;
    }

    static QPushButton* UseButton(PasswordGeneratorDialog& dialog) { return dialog.findChild<QPushButton*>("Use"); }
};

TEST_F(PasswordGeneratorTest, UsePutsThePasswordRevealedIntoTheBox)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    ASSERT_TRUE(Form().IsPasswordHidden());
    const QString used = WithDialog(
        [](PasswordGeneratorDialog& dialog) {
            ASSERT_TRUE(UseButton(dialog)->isEnabled());
            UseButton(dialog)->click();
        },
        cmd::kGeneratePassword);
    EXPECT_EQ(used.size(), 20);
    EXPECT_EQ(Box(ctl::kPasswordBox)->text(), used);
    EXPECT_FALSE(Form().IsPasswordHidden());
    EXPECT_FALSE(Box(ctl::kPasswordBox)->isReadOnly());
    EXPECT_EQ(Box(ctl::kPasswordBox)->echoMode(), QLineEdit::Normal);
    EXPECT_TRUE(Form().StrengthLine()->isVisibleTo(&Form()));
    // A random draw of 20 characters rates good or strong, whichever zxcvbn finds.
    const QString strength = Form().StrengthLine()->text();
    EXPECT_TRUE(strength.startsWith("Strength: strong\nabout 10^") || strength.startsWith("Strength: good\nabout 10^"))
        << strength.toStdString();

    // The normal Save rules store it.
    desktop.answers = {true};
    ASSERT_TRUE(Command(cmd::kAccountSave));
    SelectInTab(1, u"Mail");
    EXPECT_EQ(Box(ctl::kPasswordBox)->text(), used);
    EXPECT_FALSE(Form().StrengthLine()->isVisibleTo(&Form())) << "a masked box shows no strength";
}

TEST_F(PasswordGeneratorTest, CloseLeavesTheBoxAlone)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    WithDialog([](PasswordGeneratorDialog& dialog) { dialog.reject(); }, cmd::kGeneratePassword);
    EXPECT_EQ(Box(ctl::kPasswordBox)->text(), "secret");
    EXPECT_TRUE(Form().IsPasswordHidden());
}

TEST_F(PasswordGeneratorTest, TheDialogFollowsItsChoices)
{
    StartApp();
    PasswordGeneratorDialog dialog(true, &Frame());
    dialog.findChild<QSpinBox*>("Length")->setValue(40);
    dialog.findChild<QCheckBox*>("Symbols")->setChecked(false);
    dialog.findChild<QCheckBox*>("NoLookAlikes")->setChecked(true);
    EXPECT_EQ(dialog.Password().size(), 40);
    EXPECT_EQ(
        dialog.Password().toStdString().find_first_not_of("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789"),
        std::string::npos)
        << dialog.Password().toStdString();
    EXPECT_EQ(dialog.findChild<QSpinBox*>("Length")->maximum(), 62);
    EXPECT_EQ(dialog.findChild<QSpinBox*>("Length")->minimum(), 4);
    for (const char* name : {"UpperCase", "LowerCase", "Digits"}) {
        dialog.findChild<QCheckBox*>(name)->setChecked(false);
    }
    EXPECT_TRUE(dialog.Password().isEmpty());
    EXPECT_FALSE(UseButton(dialog)->isEnabled());
}

TEST_F(PasswordGeneratorTest, WithoutAnAccountWindowThereIsNothingToUseItIn)
{
    StartApp();
    CloseAllAccountWindows();
    bool useEnabled = true;
    const QString shown = WithDialog(
        [&](PasswordGeneratorDialog& dialog) {
            useEnabled = UseButton(dialog)->isEnabled();
            dialog.reject();
        },
        cmd::kGeneratePassword);
    EXPECT_EQ(shown.size(), 20);
    EXPECT_FALSE(useEnabled);
}

TEST_F(PasswordGeneratorTest, TheButtonBesideThePasswordBoxOpensIt)
{
    StartApp();
    auto* button = Form().findChild<QPushButton*>("GeneratePasswordButton");
    ASSERT_NE(button, nullptr);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<PasswordGeneratorDialog*>(QApplication::activeModalWidget())) {
            dialog->findChild<QPushButton*>("Use")->click();
        }
    });
    button->click();
    EXPECT_EQ(Box(ctl::kPasswordBox)->text().size(), 20);
    EXPECT_FALSE(Form().IsPasswordHidden());
}

TEST_F(PasswordGeneratorTest, CapsLockWarnsOnlyWhileTheBoxIsEditable)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    bool capsLock = true;
    SetCapsLockProbe([&capsLock] { return capsLock; });
    Form().UpdatePasswordNotes();
    EXPECT_FALSE(Form().CapsLockWarning()->isVisible()) << "a masked box can't be typed into";
    ASSERT_TRUE(Command(cmd::kRevealPassword));
    EXPECT_TRUE(Form().CapsLockWarning()->isVisible());
    EXPECT_EQ(Form().CapsLockWarning()->toolTip(), "Caps Lock is on");
    capsLock = false;
    Form().UpdatePasswordNotes();
    EXPECT_FALSE(Form().CapsLockWarning()->isVisible());
}

TEST_F(PasswordGeneratorTest, TheStrengthLineFollowsTheRevealedBox)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    ASSERT_TRUE(Command(cmd::kRevealPassword));
    Box(ctl::kPasswordBox)->setText("password");
    EXPECT_TRUE(Form().StrengthLine()->text().startsWith("Strength: weak\n"))
        << Form().StrengthLine()->text().toStdString();
    Box(ctl::kPasswordBox)->clear();
    EXPECT_FALSE(Form().StrengthLine()->isVisibleTo(&Form()));
}

} // namespace
} // namespace lk::test
