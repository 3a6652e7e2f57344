#include "LocalHttpServer.h"
#include "gui/shell/CMainFrame.h"
#include "gui/shell/CReaderApp.h"
#include "gui/shell/QtUpdateSettings.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QSettings>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

namespace lk {
namespace {

using test::LocalHttpServer;

const std::string kUpgradePath = "/upgrade/LedgerKeeper/1.8/";

bool AnyWindowVisible()
{
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return true;
        }
    }
    return false;
}

// Notes at each question whether any window of the program was on screen.
class WatchingDesktop : public test::ScriptedDesktop
{
public:
    std::vector<bool> windowVisibleAtQuestion;

    bool AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner) override
    {
        windowVisibleAtQuestion.push_back(AnyWindowVisible());
        return ScriptedDesktop::AskYesNo(text, caption, owner);
    }
};

// The whole program's start with the update check of the real build: the
// description on a server on 127.0.0.1 says the program is out of date.
class StartupWithUpgrade : public testing::TestWithParam<bool>
{
protected:
    test::TempFolder temp;
    LocalHttpServer server;
    WatchingDesktop desktop;

    void SetUp() override
    {
        const Folders folders = temp.folders();
        ::setenv("LEDGERKEEPER_HOME", folders.product.c_str(), 1);
        ::setenv("LEDGERKEEPER_UPDATE_URL", server.Address(kUpgradePath).c_str(), 1);
        QSettings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication).clear();
        server.Serve(kUpgradePath + "update.dat", "0 LedgerKeeper 5000000 1 2\n");
    }

    void TearDown() override
    {
        ::unsetenv("LEDGERKEEPER_HOME");
        ::unsetenv("LEDGERKEEPER_UPDATE_URL");
    }
};

TEST_P(StartupWithUpgrade, QuestionComesBeforeAnyWindowAndYesNeverShowsOne)
{
    const bool takeUpgrade = GetParam();
    desktop.answers = {takeUpgrade};
    AppOptions options;
    options.desktop = &desktop;
    CReaderApp app(options);

    const bool started = app.InitInstance();

    EXPECT_EQ(started, !takeUpgrade);
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0].text, u"New version of LedgerKeeper is ready. Upgrade now?");
    EXPECT_EQ(desktop.windowVisibleAtQuestion, std::vector<bool>{false});
    if (takeUpgrade) {
        EXPECT_EQ(desktop.openedAddresses, std::vector<std::string>{LEDGERKEEPER_INSTALLER_URL});
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_FALSE(AnyWindowVisible());
    } else {
        EXPECT_TRUE(desktop.openedAddresses.empty());
        ASSERT_NE(app.MainFrame(), nullptr);
        EXPECT_TRUE(app.MainFrame()->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, StartupWithUpgrade, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Yes" : "No"; });

} // namespace
} // namespace lk
