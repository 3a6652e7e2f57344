#include "AppFixture.h"
#include "gui/shell/MenuResources.h"
#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

namespace lk::test {
namespace {

class StatusBarTest : public AppFixture
{
protected:
    std::vector<bool> Indicators()
    {
        std::vector<bool> lit;
        for (const char* name : {"IndicatorCAP", "IndicatorNUM", "IndicatorSCRL"}) {
            auto* pane = Frame().statusBar()->findChild<QLabel*>(name);
            EXPECT_NE(pane, nullptr) << name;
            lit.push_back(pane != nullptr && pane->isEnabled());
        }
        return lit;
    }
};

TEST_F(StatusBarTest, TheIndicatorsShowTheLockKeys)
{
    StartApp();
    std::optional<LockKeyState> keys = LockKeyState{true, false, false};
    Frame().SetLockKeyReader([&keys] { return keys; });
    EXPECT_EQ(Indicators(), (std::vector<bool>{true, false, false}));
    keys = LockKeyState{false, true, true};
    Frame().UpdateIndicators();
    EXPECT_EQ(Indicators(), (std::vector<bool>{false, true, true}));
    // Keys that can't be read leave the indicators dimmed.
    keys.reset();
    Frame().UpdateIndicators();
    EXPECT_EQ(Indicators(), (std::vector<bool>{false, false, false}));
}

TEST_F(StatusBarTest, HoveringAPaneButtonShowsItsPromptThenReady)
{
    StartApp();
    const std::pair<int, const char*> prompts[] = {{1031, "Create new account"},
                                                   {1030, "Delete an account"},
                                                   {1028, "Save an account"},
                                                   {1040, "Login an account"}};
    for (ToolPage* page : {Pane().FrequencyPage(), Pane().AlphabetPage()}) {
        QToolBar* bar = page->ToolBar();
        ASSERT_EQ(bar->actions().size(), 4);
        for (const auto& [id, prompt] : prompts) {
            QAction* action = nullptr;
            for (QAction* candidate : bar->actions()) {
                if (CommandRouter::IdOf(candidate) == id) {
                    action = candidate;
                }
            }
            ASSERT_NE(action, nullptr);
            QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->statusTip(), prompt);
            // What the toolkit sends as the pointer enters and leaves the button.
            QStatusTipEvent enter(button->statusTip());
            QApplication::sendEvent(button, &enter);
            EXPECT_EQ(Frame().statusBar()->currentMessage(), prompt);
            QStatusTipEvent leave{QString()};
            QApplication::sendEvent(button, &leave);
            EXPECT_EQ(Frame().statusBar()->currentMessage(), "Ready");
        }
    }
}

} // namespace
} // namespace lk::test
