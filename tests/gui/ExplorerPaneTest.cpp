#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/QtText.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QFont>
#include <QMdiArea>
#include <QTest>
#include <QToolBar>

namespace lk::test {
namespace {

using Names = std::vector<std::u16string>;

class ExplorerPaneTest : public AppFixture
{
protected:
    void WriteNamed(std::u16string name, std::uint32_t useCount = 0)
    {
        AccountFixture account;
        account.name = std::move(name);
        account.useCount = useCount;
        account.url = "https://" + ToQString(account.name).toStdString() + ".example";
        WriteAccount(account);
    }

    void ExpectRoot(const CAccountTree& tree)
    {
        ASSERT_EQ(tree.model()->rowCount(), 1);
        const QModelIndex root = tree.Root();
        EXPECT_EQ(root.data().toString(), "Account List");
        EXPECT_TRUE(root.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_TRUE(tree.isExpanded(root));
        EXPECT_EQ(CAccountTree::RecordOf(root), nullptr);
    }

    void ExpectBlankForm()
    {
        EXPECT_EQ(Form().ShownAccount(), nullptr);
        EXPECT_EQ(Document().GetTitle(), u"Untitled");
        EXPECT_TRUE(Box(1020)->text().isEmpty());
        EXPECT_TRUE(Box(1021)->text().isEmpty());
        EXPECT_EQ(Label(1033)->text(), "User Name");
    }

    void ExpectNoSelection()
    {
        EXPECT_FALSE(Pane().FrequencyTree()->SelectedItem().isValid());
        EXPECT_FALSE(Pane().AlphabetTree()->SelectedItem().isValid());
    }
};

TEST_F(ExplorerPaneTest, AnEmptyDataFolderShowsOnlyTheRootsUnderTheirTabs)
{
    StartApp();
    ASSERT_EQ(Pane().Tabs()->count(), 2);
    EXPECT_EQ(Pane().Tabs()->tabText(0), "Frequency");
    EXPECT_EQ(Pane().Tabs()->tabText(1), "Alphabet");
    EXPECT_EQ(Pane().Tabs()->widget(0), Pane().FrequencyPage());
    EXPECT_EQ(Pane().Tabs()->widget(1), Pane().AlphabetPage());
    EXPECT_EQ(Pane().FrequencyPage()->Window(), Pane().FrequencyTree());
    EXPECT_EQ(Pane().AlphabetPage()->Window(), Pane().AlphabetTree());
    EXPECT_EQ(Pane().Tabs()->currentIndex(), 0);
    EXPECT_EQ(Pane().windowTitle(), "Account Explorer");
    for (CAccountTree* tree : {Pane().FrequencyTree(), Pane().AlphabetTree()}) {
        ExpectRoot(*tree);
        EXPECT_EQ(tree->model()->rowCount(tree->Root()), 0);
    }
    EXPECT_EQ(Document().Accounts().GetCount(), 0);
}

TEST_F(ExplorerPaneTest, AFilledDataFolderListsTheAccountsInBothOrders)
{
    WriteNamed(u"b", 1);
    WriteNamed(u"B", 0);
    WriteNamed(u"a", 3);
    WriteNamed(u"Zeta", 3);
    AccountFixture hidden = Named(u"Hidden");
    hidden.kind = kKindHidden;
    WriteAccount(hidden);
    AccountFixture noSlots = Named(u"No Slots");
    noSlots.slotCount = 0;
    WriteAccount(noSlots);
    AccountFixture noName = Named(u"");
    WriteAccount(noName);
    StartApp();

    ExpectRoot(*Pane().AlphabetTree());
    ExpectRoot(*Pane().FrequencyTree());
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (Names{u"B", u"Zeta", u"a", u"b"}));
    EXPECT_EQ(ItemNames(*Pane().FrequencyTree()), (Names{u"Zeta", u"a", u"b", u"B"}));
    // The unlisted accounts stay in the list, without items.
    EXPECT_EQ(Document().Accounts().GetCount(), 7);
    for (CAccountTree* tree : {Pane().FrequencyTree(), Pane().AlphabetTree()}) {
        for (const QModelIndex& item : tree->AccountItems()) {
            AccountRecord* record = CAccountTree::RecordOf(item);
            ASSERT_NE(record, nullptr);
            EXPECT_GE(Document().Accounts().IndexOf(record), 0);
            EXPECT_EQ(ToQString(record->AccountName.view()), item.data().toString());
        }
    }
}

TEST_F(ExplorerPaneTest, SelectingAnAccountInEitherTabShowsIt)
{
    WriteNamed(u"Mail", 0);
    WriteNamed(u"Bank", 5);
    StartApp();

    SelectInTab(1, u"Mail");
    ASSERT_NE(Form().ShownAccount(), nullptr);
    EXPECT_EQ(Form().ShownAccount()->AccountName.view(), u"Mail");
    EXPECT_EQ(Box(1020)->text(), "Mail");
    EXPECT_EQ(Box(1021)->text(), "https://Mail.example");
    EXPECT_EQ(Document().GetTitle(), u"Mail");

    SelectInTab(0, u"Bank");
    ASSERT_NE(Form().ShownAccount(), nullptr);
    EXPECT_EQ(Form().ShownAccount()->AccountName.view(), u"Bank");
    EXPECT_EQ(Box(1020)->text(), "Bank");
    Settle();
    EXPECT_EQ(Frame().windowTitle(), "LedgerKeeper - Bank");
}

TEST_F(ExplorerPaneTest, SelectingTheRootBlanksTheFormAndClearsBothTrees)
{
    WriteNamed(u"Mail");
    WriteNamed(u"Bank");
    StartApp();
    SelectInTab(0, u"Mail");
    SelectInTab(1, u"Bank");
    ASSERT_NE(Form().ShownAccount(), nullptr);

    SelectInTab(1, u"Account List");
    ExpectBlankForm();
    ExpectNoSelection();
}

TEST_F(ExplorerPaneTest, AnAccountNamedLikeTheRootBlanksTheFormInstead)
{
    WriteNamed(u"Account List");
    WriteNamed(u"Mail");
    StartApp();
    SelectInTab(1, u"Mail");
    ASSERT_NE(Form().ShownAccount(), nullptr);

    Pane().Tabs()->setCurrentIndex(1);
    const QModelIndex item = ItemNamed(*Pane().AlphabetTree(), u"Account List");
    ASSERT_TRUE(item.isValid());
    Pane().AlphabetTree()->setCurrentIndex(item);
    ExpectBlankForm();
}

TEST_F(ExplorerPaneTest, APressOnThePaneReloadsTheTreesAndBlanksTheForm)
{
    WriteNamed(u"Mail");
    StartApp();
    SelectInTab(0, u"Mail");
    ASSERT_NE(Form().ShownAccount(), nullptr);

    WriteNamed(u"Added By Hand");
    QTest::mouseClick(Pane().Surface(), Qt::LeftButton, {}, QPoint(1, 1));

    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (Names{u"Added By Hand", u"Mail"}));
    EXPECT_EQ(ItemNames(*Pane().FrequencyTree()), (Names{u"Added By Hand", u"Mail"}));
    ExpectBlankForm();
    ExpectNoSelection();
}

TEST_F(ExplorerPaneTest, ArrowKeysOpenEachAccountInTurn)
{
    WriteNamed(u"A");
    WriteNamed(u"B");
    WriteNamed(u"C");
    StartApp();
    SelectInTab(1, u"A");
    CAccountTree* tree = Pane().AlphabetTree();
    tree->setFocus();
    const std::pair<Qt::Key, std::u16string_view> steps[] = {
        {Qt::Key_Down, u"B"}, {Qt::Key_Down, u"C"}, {Qt::Key_Up, u"B"}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(tree, key);
        ASSERT_NE(Form().ShownAccount(), nullptr);
        EXPECT_EQ(Form().ShownAccount()->AccountName.view(), expected);
    }
    // Up from the first account reaches the root, which blanks the form.
    QTest::keyClick(tree, Qt::Key_Up);
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(Form().ShownAccount(), nullptr);
}

TEST_F(ExplorerPaneTest, ClearingTheHiddenTabsSelectionDoesNotReopenTheFrontTabsAccount)
{
    WriteNamed(u"Mail");
    WriteNamed(u"Bank");
    StartApp();
    // Both trees hold a selection, each of another account.
    SelectInTab(0, u"Mail");
    SelectInTab(1, u"Bank");
    ASSERT_EQ(Form().ShownAccount()->AccountName.view(), u"Bank");

    Form().OnInitialUpdate();
    ExpectBlankForm();
    ExpectNoSelection();
}

TEST_F(ExplorerPaneTest, RebuildingTheTreesWhileAnAccountIsSelectedOpensNothingStale)
{
    for (const char16_t* name : {u"A", u"B", u"C", u"D"}) {
        WriteNamed(name);
    }
    StartApp();
    SelectInTab(0, u"C");
    SelectInTab(1, u"B");
    // The reload frees every record the items referred to while the selection sits on them.
    for (int i = 0; i < 3; ++i) {
        Document().RefreshAccounts();
        ExpectNoSelection();
    }
    // The form's record was freed by the reload; the form is reset as every caller does.
    Form().OnInitialUpdate();
    SelectInTab(0, u"D");
    ASSERT_NE(Form().ShownAccount(), nullptr);
    EXPECT_EQ(Form().ShownAccount()->AccountName.view(), u"D");
}

TEST_F(ExplorerPaneTest, BothToolbarsCarryTheFourButtons)
{
    StartApp();
    struct Button
    {
        int id;
        const char* tooltip;
    };
    const Button expected[] = {{1031, "New"}, {1030, "Delete"}, {1028, "Save"}, {1040, "Login"}};
    for (ToolPage* page : {Pane().FrequencyPage(), Pane().AlphabetPage()}) {
        const QList<QAction*> actions = page->ToolBar()->actions();
        ASSERT_EQ(actions.size(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(actions[i]->data().toInt(), expected[i].id);
            EXPECT_EQ(actions[i]->toolTip(), expected[i].tooltip);
            EXPECT_TRUE(actions[i]->text().isEmpty());
            EXPECT_FALSE(actions[i]->icon().isNull());
        }
    }
}

TEST_F(ExplorerPaneTest, NewInThePanesToolbarEmptiesTheFormOfTheOpenDocument)
{
    WriteNamed(u"Mail");
    StartApp();
    SelectInTab(0, u"Mail");
    ASSERT_NE(Form().ShownAccount(), nullptr);
    Box(1021)->setText("typed");

    Pane().FrequencyPage()->ToolBar()->actions().at(0)->trigger();
    ExpectBlankForm();
    EXPECT_EQ(Frame().Children().size(), 1);
}

TEST_F(ExplorerPaneTest, WithNoAccountWindowSelectingAnItemOpensOne)
{
    WriteNamed(u"Mail");
    StartApp();
    CloseAllAccountWindows();
    ASSERT_EQ(ActiveChild(), nullptr);
    ASSERT_EQ(g_pDocument, nullptr);
    // A press on the pane with no document does nothing.
    QTest::mouseClick(Pane().Surface(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(ActiveChild(), nullptr);

    Pane().Tabs()->setCurrentIndex(1);
    const QModelIndex item = ItemNamed(*Pane().AlphabetTree(), u"Mail");
    ASSERT_TRUE(item.isValid());
    EXPECT_EQ(CAccountTree::RecordOf(item), nullptr); // the closed document's records are forgotten
    Pane().AlphabetTree()->setCurrentIndex(item);
    Settle();

    ASSERT_NE(ActiveChild(), nullptr);
    EXPECT_NE(g_pDocument, nullptr);
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    ExpectNoSelection();
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (Names{u"Mail"}));
}

TEST_F(ExplorerPaneTest, NewInThePanesToolbarOpensAWindowWhenNoneIsOpen)
{
    StartApp();
    CloseAllAccountWindows();
    Pane().AlphabetPage()->ToolBar()->actions().at(0)->trigger();
    Settle();
    ASSERT_NE(ActiveChild(), nullptr);
    EXPECT_EQ(Frame().Children().size(), 1);
}

TEST_F(ExplorerPaneTest, TheTreesFollowTheNewestDocumentWhenAnotherCloses)
{
    WriteNamed(u"Mail");
    StartApp();
    CChildFrame* first = ActiveChild();
    ASSERT_TRUE(Command(cmd::kFileNew));
    Settle();
    CChildFrame* second = ActiveChild();
    ASSERT_NE(first, second);
    EXPECT_EQ(g_pDocument, &second->Document());

    second->close();
    Settle();
    ASSERT_EQ(g_pDocument, &first->Document());
    const QModelIndex item = ItemNamed(*Pane().FrequencyTree(), u"Mail");
    ASSERT_TRUE(item.isValid());
    EXPECT_GE(first->Document().Accounts().IndexOf(CAccountTree::RecordOf(item)), 0);

    SelectInTab(0, u"Mail");
    ASSERT_NE(first->View().ShownAccount(), nullptr);
    EXPECT_EQ(first->View().ShownAccount()->AccountName.view(), u"Mail");
}

} // namespace
} // namespace lk::test
