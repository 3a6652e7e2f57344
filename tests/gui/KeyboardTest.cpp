#include "AppFixture.h"
#include "gui/toolkit/CommandIds.h"

#include <QApplication>
#include <QMdiArea>
#include <QTest>
#include <functional>

namespace lk::test {
namespace {

class KeyboardTest : public AppFixture
{
protected:
    void StartWithThreeAccounts()
    {
        for (const char16_t* name : {u"A", u"B", u"C"}) {
            WriteAccount(Named(name));
        }
        StartApp();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    std::u16string Shown()
    {
        AccountRecord* shown = Form().ShownAccount();
        return shown == nullptr ? std::u16string(u"(blank)") : std::u16string(shown->AccountName.view());
    }

    void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(widget, key, modifiers);
        Settle();
    }
};

// A way the trees' selection is cleared, then keys pressed in the Alphabet tree.
struct ClearedSelection
{
    const char* name;
    std::function<void(KeyboardTest&)> clear;
};

class ArrowKeysTest : public KeyboardTest, public testing::WithParamInterface<ClearedSelection>
{
public:
    void SelectRoot() { SelectInTab(1, u"Account List"); }
    void Open(std::u16string_view name) { SelectInTab(1, name); }
    void PressPane() { Pane().OnLButtonDown(); }
    void Run(int id) { Command(id); }
    void Answer(bool yes) { desktop.answers.assign(2, yes); }
};

TEST_P(ArrowKeysTest, MoveFromTheRootAfterAClearedSelection)
{
    StartWithThreeAccounts();
    GetParam().clear(*this);
    CAccountTree* tree = Pane().AlphabetTree();
    Pane().Tabs()->setCurrentIndex(1);
    tree->setFocus(Qt::OtherFocusReason);
    ASSERT_FALSE(tree->SelectedItem().isValid());

    const std::pair<Qt::Key, std::u16string> steps[] = {{Qt::Key_Down, u"A"},       {Qt::Key_Down, u"B"},
                                                        {Qt::Key_End, u"C"},        {Qt::Key_Up, u"B"},
                                                        {Qt::Key_Home, u"(blank)"}, {Qt::Key_Down, u"A"}};
    for (const auto& [key, expected] : steps) {
        Key(tree, key);
        EXPECT_EQ(Shown(), expected) << QTest::toString(key);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clearings, ArrowKeysTest,
    testing::Values(ClearedSelection{"AtStart", [](KeyboardTest&) {}},
                    ClearedSelection{"TheRootChosen",
                                     [](KeyboardTest& t) { static_cast<ArrowKeysTest&>(t).SelectRoot(); }},
                    ClearedSelection{"AReload", [](KeyboardTest& t) { static_cast<ArrowKeysTest&>(t).PressPane(); }},
                    ClearedSelection{"New",
                                     [](KeyboardTest& t) {
                                         auto& test = static_cast<ArrowKeysTest&>(t);
                                         test.Open(u"B");
                                         test.Run(cmd::kAccountNew);
                                     }},
                    ClearedSelection{"Save",
                                     [](KeyboardTest& t) {
                                         auto& test = static_cast<ArrowKeysTest&>(t);
                                         test.Open(u"B");
                                         test.Answer(true);
                                         test.Run(cmd::kAccountSave);
                                     }},
                    ClearedSelection{"DeleteAnsweredNo",
                                     [](KeyboardTest& t) {
                                         auto& test = static_cast<ArrowKeysTest&>(t);
                                         test.Open(u"B");
                                         test.Answer(false);
                                         test.Run(cmd::kAccountDelete);
                                     }}),
    [](const testing::TestParamInfo<ClearedSelection>& info) { return std::string(info.param.name); });

TEST_F(KeyboardTest, AtStartTheFocusIsInTheAccountBox)
{
    StartWithThreeAccounts();
    EXPECT_EQ(Frame().focusWidget(), Box(1020));
}

TEST_F(KeyboardTest, F6AndShiftF6MoveBetweenTheTreeAndTheForm)
{
    StartWithThreeAccounts();
    Pane().Tabs()->setCurrentIndex(1);
    Key(Box(1020), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), Pane().AlphabetTree());
    Key(Pane().AlphabetTree(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), Box(1020));

    // Back into the form, the box that had the focus gets it again.
    Box(1021)->setFocus(Qt::OtherFocusReason);
    Key(Box(1021), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Pane().AlphabetTree());
    Key(Pane().AlphabetTree(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box(1021));

    // With no account window, the tree keeps it.
    CloseAllAccountWindows();
    Pane().Tabs()->setCurrentIndex(0);
    Key(Pane().AlphabetTree(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), Pane().FrequencyTree());
}

TEST_F(KeyboardTest, CtrlF4ClosesTheAccountWindowAndCtrlWDoesNot)
{
    StartWithThreeAccounts();
    EXPECT_EQ(ActiveChild()->systemMenu(), nullptr) << "no context menu on the tab";
    Key(Box(1020), Qt::Key_W, Qt::ControlModifier);
    ASSERT_NE(ActiveChild(), nullptr);
    Key(Box(1020), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(ActiveChild(), nullptr);
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
}

TEST_F(KeyboardTest, AfterTheLastAccountWindowClosesNoItemStaysHighlighted)
{
    StartWithThreeAccounts();
    SelectInTab(1, u"B");
    ASSERT_TRUE(Pane().AlphabetTree()->SelectedItem().isValid());
    CloseAllAccountWindows();
    EXPECT_FALSE(Pane().AlphabetTree()->SelectedItem().isValid());
    EXPECT_FALSE(Pane().FrequencyTree()->SelectedItem().isValid());
}

} // namespace
} // namespace lk::test
