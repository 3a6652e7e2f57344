#include "gui/toolkit/CommandRouter.h"

#include <QAction>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace lk {
namespace {

// A target that records the commands offered to it and handles only its own.
class Target final : public CommandTarget
{
public:
    Target(std::string name, std::vector<int> handles, std::vector<std::string>& log)
        : m_name(std::move(name)), m_handles(std::move(handles)), m_log(log)
    {}

    bool OnCommand(int id) override
    {
        m_log.push_back(m_name + ":" + std::to_string(id));
        return Handles(id);
    }

    bool Handles(int id) const override { return std::find(m_handles.begin(), m_handles.end(), id) != m_handles.end(); }

private:
    std::string m_name;

public:
    std::vector<int> m_handles;

private:
    std::vector<std::string>& m_log;
};

class CommandRouterTest : public testing::Test
{
protected:
    std::vector<std::string> log;
    Target form{"form", {1028}, log};
    Target document{"document", {32809}, log};
    Target window{"window", {}, log};
    Target frame{"frame", {32791}, log};
    Target application{"app", {57600}, log};
    Target pane{"pane", {1031}, log};
    CommandRouter router;

    void SetUp() override
    {
        router.SetChain([this] {
            return std::vector<CommandTarget*>{&form, &document, &window, &frame, &application};
        });
    }
};

TEST_F(CommandRouterTest, OffersTheCommandInOrderUntilOneHandlesIt)
{
    EXPECT_TRUE(router.Route(57600));
    EXPECT_EQ(log,
              (std::vector<std::string>{"form:57600", "document:57600", "window:57600", "frame:57600", "app:57600"}));
    log.clear();
    EXPECT_TRUE(router.Route(32809));
    EXPECT_EQ(log, (std::vector<std::string>{"form:32809", "document:32809"}));
}

TEST_F(CommandRouterTest, ACommandNobodyHandlesIsReportedAsSuch)
{
    EXPECT_FALSE(router.Route(57680));
    EXPECT_EQ(log.size(), 5u);
}

TEST_F(CommandRouterTest, ThePaneIsAskedFirstThenTheUsualChain)
{
    EXPECT_TRUE(router.RouteFrom(pane, 1031));
    EXPECT_EQ(log, (std::vector<std::string>{"pane:1031"}));
    log.clear();
    EXPECT_TRUE(router.RouteFrom(pane, 1028));
    EXPECT_EQ(log, (std::vector<std::string>{"pane:1028", "form:1028"}));
}

TEST_F(CommandRouterTest, ABoundActionCarriesItsIdAndRoutesWhenTriggered)
{
    QAction action;
    router.Bind(&action, 32791);
    EXPECT_EQ(CommandRouter::IdOf(&action), 32791);
    action.trigger();
    EXPECT_EQ(log.back(), "frame:32791");
}

TEST_F(CommandRouterTest, ACommandIsHandledWhenAnyTargetOfTheMomentHandlesIt)
{
    EXPECT_TRUE(router.Handles(57600));
    EXPECT_TRUE(router.Handles(1028));
    EXPECT_FALSE(router.Handles(57680));
    EXPECT_FALSE(router.Handles(1031));
    EXPECT_TRUE(router.HandlesFrom(pane, 1031));
    // Asking runs nothing.
    EXPECT_TRUE(log.empty());
}

TEST_F(CommandRouterTest, ABoundActionIsDisabledWhileNothingHandlesItsCommand)
{
    QAction exportAction;
    QAction newAccount;
    router.Bind(&exportAction, 32810);
    router.Track(&newAccount, pane, 1028);
    EXPECT_FALSE(exportAction.isEnabled());
    EXPECT_TRUE(newAccount.isEnabled());

    document.m_handles.push_back(32810);
    form.m_handles.clear();
    router.UpdateActions();
    EXPECT_TRUE(exportAction.isEnabled());
    EXPECT_FALSE(newAccount.isEnabled());
}

TEST_F(CommandRouterTest, ATargetChangeShowsAfterTheNextCommand)
{
    QAction exportAction;
    router.Bind(&exportAction, 32810);
    ASSERT_FALSE(exportAction.isEnabled());
    document.m_handles.push_back(32810);
    router.Route(57600);
    EXPECT_TRUE(exportAction.isEnabled());
}

TEST_F(CommandRouterTest, AnActionDestroyedBeforeTheRouterIsLeftAlone)
{
    auto action = std::make_unique<QAction>();
    router.Bind(action.get(), 32791);
    action.reset();
    router.UpdateActions();
    SUCCEED();
}

} // namespace
} // namespace lk
