// Locking the window's protected store, by Tools > Lock, Ctrl+L and the idle
// time: the forms, the trees, the lists, the clipboard and the keys are
// emptied while the unlock dialog asks; the right master password brings it
// all back, Cancel closes the window.
#include "ProtectedAppFixture.h"
#include "core/document/CReaderDoc.h"
#include "core/ports/Captions.h"
#include "gui/shell/WindowLock.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/QtText.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QTest>

namespace lk::test {
namespace {

using namespace std::chrono_literals;

// What the window shows while the unlock dialog asks.
struct LockedView
{
    bool formEmpty = false;
    std::vector<std::u16string> frequencyItems;
    std::vector<std::u16string> alphabetItems;
    bool rootsShown = false;
    std::vector<std::ptrdiff_t> listSizes;
    bool anyKey = true;
    QString clipboard;
    bool lockAvailable = true;
};

class LockTest : public ProtectedAppFixture
{
protected:
    LockTest()
    {
        QGuiApplication::clipboard()->clear();
        whileAsked = [this] {
            if (app == nullptr || app->MainFrame() == nullptr) {
                return;
            }
            LockedView view;
            view.formEmpty = true;
            view.listSizes.clear();
            view.anyKey = false;
            for (CChildFrame* child : Frame().Children()) {
                view.formEmpty = view.formEmpty && child->View().ShownAccount() == nullptr &&
                                 child->View().ReadBoxes().account.empty() &&
                                 child->View().ReadBoxes().password.empty();
                view.listSizes.push_back(child->Document().Accounts().GetCount());
                view.anyKey = view.anyKey || child->Document().GetStoreKey() != nullptr;
            }
            view.anyKey = view.anyKey || app->HoldsStoreKey();
            view.frequencyItems = ItemNames(*Pane().FrequencyTree());
            view.alphabetItems = ItemNames(*Pane().AlphabetTree());
            view.rootsShown = Pane().FrequencyTree()->Root().isValid() && Pane().AlphabetTree()->Root().isValid();
            view.clipboard = QGuiApplication::clipboard()->text();
            view.lockAvailable = Frame().Router().Handles(cmd::kLock);
            locked.push_back(view);
        };
    }

    // The protected store started with "master", Mail shown in the form and its
    // password copied.
    void StartShowingMail()
    {
        ProtectTheStore();
        ASSERT_TRUE(Start({"master"}));
        locked.clear(); // the window as the unlock at the start found it
        SelectInTab(1, u"Mail");
        ASSERT_NE(Form().ShownAccount(), nullptr);
        ASSERT_TRUE(Command(cmd::kCopyPassword));
        ASSERT_EQ(QGuiApplication::clipboard()->text(), "secret");
    }

    void ExpectLockedView(std::size_t windows)
    {
        ASSERT_EQ(locked.size(), 1U);
        const LockedView& view = locked.front();
        EXPECT_TRUE(view.formEmpty);
        EXPECT_TRUE(view.rootsShown);
        EXPECT_TRUE(view.frequencyItems.empty());
        EXPECT_TRUE(view.alphabetItems.empty());
        EXPECT_EQ(view.listSizes, std::vector<std::ptrdiff_t>(windows, 0));
        EXPECT_FALSE(view.anyKey);
        EXPECT_TRUE(view.clipboard.isEmpty());
        EXPECT_FALSE(view.lockAvailable);
    }

    void ExpectUnlockedAgain()
    {
        EXPECT_TRUE(Frame().isVisible());
        EXPECT_TRUE(app->HoldsStoreKey());
        for (CChildFrame* child : Frame().Children()) {
            EXPECT_NE(child->Document().GetStoreKey(), nullptr);
            EXPECT_EQ(child->Document().Accounts().GetCount(), 2);
        }
        EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail"}));
        EXPECT_EQ(ItemNames(*Pane().FrequencyTree()).size(), 2U);
        EXPECT_EQ(Form().ShownAccount(), nullptr);
        EXPECT_TRUE(Frame().Router().Handles(cmd::kLock));
    }

    QAction* ToolsItem(int id) const
    {
        for (QMenu* menu : Frame().Menus(Frame().ShownMenu())) {
            for (QAction* action : menu->actions()) {
                if (menu->title() == "&Tools" && CommandRouter::IdOf(action) == id) {
                    return action;
                }
            }
        }
        return nullptr;
    }

    std::vector<LockedView> locked;
};

struct LockWay
{
    const char* name;
    std::function<void(LockTest&)> lock;
};

class LockWaysTest : public LockTest, public testing::WithParamInterface<LockWay>
{
public:
    void PressCtrlL()
    {
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(&Frame(), Qt::Key_L, Qt::ControlModifier);
    }
    void TriggerMenuItem()
    {
        Frame().Router().UpdateActions();
        QAction* item = ToolsItem(cmd::kLock);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    }
    void RunOutTheIdleTime()
    {
        ASSERT_TRUE(app->Lock()->Idle().IsWaiting());
        ASSERT_TRUE(QMetaObject::invokeMethod(&app->Lock()->Idle().Timer(), "timeout"));
    }
};

TEST_P(LockWaysTest, EmptiesEverythingWhileAskingAndTheRightPasswordBringsItBack)
{
    StartShowingMail();
    answers = {"master"};
    GetParam().lock(*this);
    Settle();
    EXPECT_EQ(asked, 2);
    ExpectLockedView(1);
    ExpectUnlockedAgain();
    EXPECT_TRUE(desktop.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LockWaysTest,
    testing::Values(LockWay{"CtrlL", [](LockTest& test) { static_cast<LockWaysTest&>(test).PressCtrlL(); }},
                    LockWay{"ToolsMenu", [](LockTest& test) { static_cast<LockWaysTest&>(test).TriggerMenuItem(); }},
                    LockWay{"IdleTime", [](LockTest& test) { static_cast<LockWaysTest&>(test).RunOutTheIdleTime(); }}),
    [](const testing::TestParamInfo<LockWay>& info) { return info.param.name; });

struct ReunlockCase
{
    const char* name;
    std::deque<std::optional<std::string>> typed;
    bool unlocked;
    std::size_t wrongTold;
};

class ReunlockTest : public LockTest, public testing::WithParamInterface<ReunlockCase>
{};

TEST_P(ReunlockTest, AsksUntilRightOrCancelledAndCancelClosesTheWindow)
{
    const ReunlockCase& c = GetParam();
    StartShowingMail();
    answers = c.typed;
    ASSERT_TRUE(Command(cmd::kLock));
    Settle();
    EXPECT_EQ(asked, 1 + static_cast<int>(c.typed.size()));
    EXPECT_EQ(desktop.messages,
              std::vector<ScriptedDesktop::Shown>(
                  c.wrongTold, ScriptedDesktop::Shown{u"The master password is not correct.",
                                                      std::u16string(kErrorCaption), DesktopPort::Owner::None}));
    if (c.unlocked) {
        ExpectUnlockedAgain();
        return;
    }
    // Locked it stays as the program ends with its window.
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_FALSE(app->HoldsStoreKey());
    EXPECT_EQ(Document().GetStoreKey(), nullptr);
    EXPECT_EQ(Document().Accounts().GetCount(), 0);
    EXPECT_TRUE(ItemNames(*Pane().AlphabetTree()).empty());
    EXPECT_FALSE(Frame().Router().Handles(cmd::kLock));
}

INSTANTIATE_TEST_SUITE_P(Answers, ReunlockTest,
                         testing::Values(ReunlockCase{"Right", {"master"}, true, 0},
                                         ReunlockCase{"WrongThenRight", {"wrong", "master"}, true, 1},
                                         ReunlockCase{"Cancel", {std::nullopt}, false, 0},
                                         ReunlockCase{"WrongThenCancel", {"wrong", std::nullopt}, false, 1}),
                         [](const testing::TestParamInfo<ReunlockCase>& info) { return info.param.name; });

TEST_F(LockTest, EveryAccountWindowIsEmptiedAndFilledAgain)
{
    StartShowingMail();
    ASSERT_NE(app->OnFileNew(), nullptr);
    Settle();
    ASSERT_EQ(Frame().Children().size(), 2);
    answers = {"master"};
    ASSERT_TRUE(Command(cmd::kLock));
    Settle();
    ExpectLockedView(2);
    ExpectUnlockedAgain();
    // A window made after the lock holds the key too.
    ASSERT_NE(app->OnFileNew(), nullptr);
    Settle();
    EXPECT_NE(Document().GetStoreKey(), nullptr);
}

TEST_F(LockTest, AClipboardChangedSinceTheCopyIsLeftAlone)
{
    StartShowingMail();
    QGuiApplication::clipboard()->setText("copied elsewhere");
    answers = {"master"};
    ASSERT_TRUE(Command(cmd::kLock));
    Settle();
    ASSERT_EQ(locked.size(), 1U);
    EXPECT_EQ(locked.front().clipboard, "copied elsewhere");
}

TEST_F(LockTest, AStoreWithoutProtectionHasNoLock)
{
    WriteAccount(Named(u"Mail"));
    configure = [](AppOptions& options) { options.idleLock = 1h; };
    ASSERT_TRUE(Start({}));
    EXPECT_FALSE(Frame().Router().Handles(cmd::kLock));
    EXPECT_FALSE(Command(cmd::kLock));
    ASSERT_TRUE(QMetaObject::invokeMethod(&app->Lock()->Idle().Timer(), "timeout"));
    Settle();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Mail"}));
}

TEST_F(LockTest, TheIdleTimeWaitsWhileADialogIsOpen)
{
    configure = [](AppOptions& options) { options.idleLock = 1h; };
    StartShowingMail();
    QDialog dialog(&Frame());
    dialog.setModal(true);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    ASSERT_TRUE(QMetaObject::invokeMethod(&app->Lock()->Idle().Timer(), "timeout"));
    Settle();
    EXPECT_EQ(asked, 1) << "no lock under an open dialog";
    EXPECT_TRUE(app->Lock()->Idle().IsWaiting()) << "it locks after the next idle time";
    dialog.close();
    Settle();
    answers = {"master"};
    ASSERT_TRUE(QMetaObject::invokeMethod(&app->Lock()->Idle().Timer(), "timeout"));
    Settle();
    EXPECT_EQ(asked, 2);
}

TEST_F(LockTest, InputStartsTheIdleTimeAgain)
{
    configure = [](AppOptions& options) { options.idleLock = 1h; };
    StartShowingMail();
    IdleWatch& idle = app->Lock()->Idle();
    EXPECT_EQ(idle.Interval(), 1h);
    idle.Timer().stop();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(Box(ctl::kAccountBox), &press);
    EXPECT_TRUE(idle.IsWaiting());
    EXPECT_EQ(idle.Timer().interval(), 3600000);
}

struct IdleSetting
{
    const char* name;
    std::optional<QVariant> stored;
    std::chrono::milliseconds expected;
};

class IdleSettingTest : public LockTest, public testing::WithParamInterface<IdleSetting>
{};

TEST_P(IdleSettingTest, TheIdleMinutesComeFromTheSettings)
{
    const IdleSetting& c = GetParam();
    if (c.stored) {
        QSettings("Local AppWizard-Generated Applications", "LedgerKeeper")
            .setValue(WindowLock::kIdleMinutesKey, *c.stored);
    }
    StartShowingMail();
    EXPECT_EQ(app->Lock()->Idle().Interval(), c.expected);
    EXPECT_EQ(app->Lock()->Idle().IsWaiting(), c.expected.count() > 0);
    if (c.expected.count() == 0) {
        // Never: input starts no wait either.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(&Frame(), &press);
        EXPECT_FALSE(app->Lock()->Idle().IsWaiting());
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, IdleSettingTest,
                         testing::Values(IdleSetting{"NoneIsTenMinutes", std::nullopt, 10min},
                                         IdleSetting{"ThreeMinutes", QVariant(3), 3min},
                                         IdleSetting{"ZeroIsNever", QVariant(0), 0min},
                                         IdleSetting{"BelowZeroIsTenMinutes", QVariant(-5), 10min},
                                         IdleSetting{"NotANumberIsTenMinutes", QVariant("soon"), 10min}),
                         [](const testing::TestParamInfo<IdleSetting>& info) { return info.param.name; });

} // namespace
} // namespace lk::test
