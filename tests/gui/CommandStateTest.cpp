#include "AppFixture.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace lk::test {
namespace {

// A command as the frame shows it: whether it is available with an account
// window open and with none.
struct CommandState
{
    const char* name;
    int id;
    bool withWindow;
    bool withoutWindow;
};

const CommandState kStates[] = {
    {"New", cmd::kFileNew, true, true},
    {"Open", cmd::kFileOpen, true, true},
    {"PrintingFormat", cmd::kPrintingFormat, true, false},
    {"PrintSetup", cmd::kFilePrintSetup, true, true},
    {"Import", cmd::kImport, true, false},
    {"Export", cmd::kExport, true, false},
    {"Exit", cmd::kAppExit, true, true},
    {"AccountExplorer", cmd::kToggleExplorer, true, true},
    {"StatusBar", cmd::kViewStatusBar, true, true},
    {"HelpIndex", cmd::kHelpIndex, true, true},
    {"About", cmd::kAppAbout, true, true},
    {"AccountSave", cmd::kAccountSave, true, false},
    {"FileSave", cmd::kFileSave, true, false},
    {"Undo", cmd::kEditUndo, true, false},
    {"Paste", cmd::kEditPaste, true, true},
    {"NextPane", cmd::kNextPane, true, true},
};

class CommandStateTest : public AppFixture, public testing::WithParamInterface<CommandState>
{
protected:
    // Every menu item and accelerator of the frame that carries the command.
    std::vector<QAction*> ActionsOf(int id)
    {
        std::vector<QAction*> actions;
        for (int resource : {128, 129}) {
            for (QMenu* menu : Frame().Menus(resource)) {
                for (QAction* action : menu->actions()) {
                    if (CommandRouter::IdOf(action) == id) {
                        actions.push_back(action);
                    }
                }
            }
        }
        for (QAction* action : Frame().Accelerators()) {
            if (CommandRouter::IdOf(action) == id) {
                actions.push_back(action);
            }
        }
        return actions;
    }

    void ExpectEnabled(bool enabled)
    {
        const std::vector<QAction*> actions = ActionsOf(GetParam().id);
        ASSERT_FALSE(actions.empty());
        for (QAction* action : actions) {
            EXPECT_EQ(action->isEnabled(), enabled) << action->text().toStdString();
        }
    }
};

TEST_P(CommandStateTest, ACommandIsAvailableOnlyWhileSomethingHandlesIt)
{
    StartApp();
    ExpectEnabled(GetParam().withWindow);
    CloseAllAccountWindows();
    ExpectEnabled(GetParam().withoutWindow);
    Command(cmd::kFileNew);
    Settle();
    ExpectEnabled(GetParam().withWindow);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandStateTest, testing::ValuesIn(kStates),
                         [](const testing::TestParamInfo<CommandState>& info) { return std::string(info.param.name); });

class PaneButtonStateTest : public AppFixture
{};

TEST_F(PaneButtonStateTest, ThePanesButtonsFollowTheDocument)
{
    StartApp();
    auto enabled = [this] {
        std::vector<bool> states;
        for (QAction* action : Pane().AlphabetPage()->ToolBar()->actions()) {
            states.push_back(action->isEnabled());
        }
        return states;
    };
    // New, Delete, Save, Login.
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));
    CloseAllAccountWindows();
    // New makes a document; the others have nothing to act on.
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, false}));
}

TEST_F(PaneButtonStateTest, CtrlPWithoutAnAccountWindowDoesNothing)
{
    StartApp();
    CloseAllAccountWindows();
    for (QAction* action : Frame().Accelerators()) {
        if (CommandRouter::IdOf(action) == cmd::kPrintingFormat) {
            action->trigger();
        }
    }
    EXPECT_TRUE(desktop.listings.empty());
    EXPECT_EQ(ActiveChild(), nullptr);
}

} // namespace
} // namespace lk::test
