#include "gui/toolkit/CommandRouter.h"

#include <QAction>
#include <gtest/gtest.h>
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
        return std::find(m_handles.begin(), m_handles.end(), id) != m_handles.end();
    }

private:
    std::string m_name;
    std::vector<int> m_handles;
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

} // namespace
} // namespace lk
