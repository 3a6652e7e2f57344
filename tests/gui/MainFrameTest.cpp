#include "AppFixture.h"
#include "core/document/CReaderDoc.h"
#include "gui/toolkit/CommandIds.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <sys/stat.h>

namespace lk::test {
namespace {

class MainFrameTest : public AppFixture
{
protected:
    static unsigned Mode(const std::filesystem::path& path)
    {
        struct stat info
        {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 0777u;
    }
};

TEST_F(MainFrameTest, StartsWithOneMaximisedUntitledAccountWindow)
{
    StartApp();
    EXPECT_TRUE(Frame().isVisible());
    // At least the size the program has always opened at; larger when the form
    // and the pane need more at the font in use.
    EXPECT_GE(Frame().width(), 620);
    EXPECT_GE(Frame().height(), 440);
    EXPECT_EQ(updateChecks, 1);
    ASSERT_EQ(Frame().Children().size(), 1);
    CChildFrame* child = ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(Frame().MdiArea()->viewMode(), QMdiArea::TabbedView);
    EXPECT_EQ(child->windowTitle(), "Untitled");
    EXPECT_EQ(Form().ShownAccount(), nullptr);
    EXPECT_EQ(g_pDocument, &Document());
    // The data folders exist, private to the user.
    EXPECT_EQ(Mode(folders.product), 0700u);
    EXPECT_EQ(Mode(folders.data), 0700u);
}

TEST_F(MainFrameTest, TheTitleReadsLedgerKeeperWithATrailingBlankThenTheDocumentsTitle)
{
    AppOptions options;
    options.desktop = &desktop;
    options.folders = folders;
    options.updateCheck = [](DesktopPort&) { return true; };
    app = std::make_unique<CReaderApp>(std::move(options));
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(Frame().windowTitle(), "LedgerKeeper ");
    Settle();
    EXPECT_EQ(Frame().windowTitle(), "LedgerKeeper - Untitled");

    AccountFixture account = Named(u"Mail");
    WriteAccount(account);
    Document().RefreshAccounts();
    SelectInTab(1, u"Mail");
    Settle();
    EXPECT_EQ(Frame().windowTitle(), "LedgerKeeper - Mail");
    EXPECT_EQ(ActiveChild()->windowTitle(), "Mail");

    CloseAllAccountWindows();
    EXPECT_EQ(Frame().windowTitle(), "LedgerKeeper");
}

TEST_F(MainFrameTest, AnUpdateCheckThatEndsTheProgramComesFirstAndShowsNothing)
{
    updateCheckAnswer = false;
    AppOptions options;
    options.desktop = &desktop;
    options.folders = folders;
    bool windowExisted = true;
    options.updateCheck = [&](DesktopPort&) {
        ++updateChecks;
        windowExisted = g_pExplorerBar != nullptr || g_pDocument != nullptr;
        return false;
    };
    app = std::make_unique<CReaderApp>(std::move(options));
    EXPECT_FALSE(app->InitInstance());
    EXPECT_EQ(updateChecks, 1);
    EXPECT_FALSE(windowExisted);
    EXPECT_EQ(app->MainFrame(), nullptr);
    EXPECT_EQ(g_pDocument, nullptr);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
}

TEST_F(MainFrameTest, TheStatusBarShowsReadyAndThePrompts)
{
    StartApp();
    QStatusBar* bar = Frame().statusBar();
    EXPECT_EQ(bar->currentMessage(), "Ready");
    QStatusTipEvent prompt("Save an account");
    QApplication::sendEvent(&Frame(), &prompt);
    EXPECT_EQ(bar->currentMessage(), "Save an account");
    QStatusTipEvent none("");
    QApplication::sendEvent(&Frame(), &none);
    EXPECT_EQ(bar->currentMessage(), "Ready");
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        EXPECT_NE(bar->findChild<QLabel*>(QString("Indicator") + indicator), nullptr) << indicator;
    }

    ASSERT_TRUE(Command(cmd::kViewStatusBar));
    EXPECT_FALSE(bar->isVisible());
    ASSERT_TRUE(Command(cmd::kViewStatusBar));
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MainFrameTest, TheBannerRunsAlongTheTopAndThePaneIsDockedLeft)
{
    StartApp();
    ASSERT_NE(Frame().Banner(), nullptr);
    EXPECT_TRUE(Frame().Banner()->isVisible());
    EXPECT_EQ(Frame().Banner()->sizeHint(), QSize(1280, 34));
    // Below the menu bar, above the pane, across the whole window.
    const QPoint bannerTop = Frame().Banner()->mapTo(&Frame(), QPoint(0, 0));
    EXPECT_GT(bannerTop.y(), Frame().MenuBar()->mapTo(&Frame(), QPoint(0, 0)).y());
    EXPECT_LT(bannerTop.y(), Pane().mapTo(&Frame(), QPoint(0, 0)).y());
    EXPECT_EQ(Frame().Banner()->width(), Frame().width());
    EXPECT_EQ(Frame().dockWidgetArea(&Pane()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(Pane().isVisible());
}

TEST_F(MainFrameTest, ViewAccountExplorerHidesAndShowsThePane)
{
    StartApp();
    ASSERT_TRUE(Pane().isVisible());
    ASSERT_TRUE(Command(cmd::kToggleExplorer));
    EXPECT_FALSE(Pane().isVisible());
    ASSERT_TRUE(Command(cmd::kToggleExplorer));
    EXPECT_TRUE(Pane().isVisible());
    // The same without an account window, from the main window's own menu.
    CloseAllAccountWindows();
    ASSERT_TRUE(Command(cmd::kToggleExplorer));
    EXPECT_FALSE(Pane().isVisible());
}

TEST_F(MainFrameTest, NewOpensAFurtherMaximisedWindowWithItsOwnDocument)
{
    StartApp();
    CReaderDoc* first = &Document();
    ASSERT_TRUE(Command(cmd::kFileNew));
    Settle();
    ASSERT_EQ(Frame().Children().size(), 2);
    EXPECT_NE(&Document(), first);
    EXPECT_TRUE(ActiveChild()->isMaximized());
    EXPECT_EQ(g_pDocument, &Document());
}

TEST_F(MainFrameTest, HelpWritesTheManualIntoThePrivateProgramFolderAndOpensIt)
{
    StartApp();
    const std::filesystem::path manual = folders.program / "ledgerkeeper.html";
    ASSERT_FALSE(std::filesystem::exists(manual));
    ASSERT_TRUE(Command(cmd::kHelpIndex)); // the document's Help
    ASSERT_EQ(desktop.openedFiles.size(), 1u);
    EXPECT_EQ(desktop.openedFiles[0], manual);
    ASSERT_TRUE(std::filesystem::exists(manual));
    EXPECT_GT(std::filesystem::file_size(manual), 1000u);
    EXPECT_EQ(Mode(folders.program), 0700u);
    EXPECT_EQ(Mode(manual), 0600u);

    // A manual already there is opened as it is.
    WriteBytes(manual, {'m', 'i', 'n', 'e'});
    CloseAllAccountWindows();
    ASSERT_TRUE(Command(cmd::kHelpIndex)); // the main window's Help
    ASSERT_EQ(desktop.openedFiles.size(), 2u);
    EXPECT_EQ(desktop.openedFiles[1], manual);
    EXPECT_EQ(ReadBytes(manual), (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
}

TEST_F(MainFrameTest, PasteWithoutAnAccountWindowIsTakenAndDoesNothing)
{
    StartApp();
    CloseAllAccountWindows();
    EXPECT_TRUE(Command(cmd::kEditPaste));
    EXPECT_EQ(ActiveChild(), nullptr);
}

TEST_F(MainFrameTest, OpenRunsTheImportAndMakesAWindowFirstWhenNoneIsOpen)
{
    StartApp();
    CloseAllAccountWindows();
    ASSERT_TRUE(Command(cmd::kFileOpen));
    Settle();
    EXPECT_NE(ActiveChild(), nullptr);
    ASSERT_EQ(desktop.openDialogs.size(), 1u);
    EXPECT_EQ(desktop.openDialogs[0].filter, u"File Type (*.txt)|*.txt|All Files (*.*)|*.*||");

    ASSERT_TRUE(Command(cmd::kFileOpen));
    EXPECT_EQ(desktop.openDialogs.size(), 2u);
    EXPECT_EQ(Frame().Children().size(), 1);
}

TEST_F(MainFrameTest, ExitClosesTheMainWindow)
{
    StartApp();
    ASSERT_TRUE(Command(cmd::kAppExit));
    Settle();
    EXPECT_FALSE(Frame().isVisible());
}

} // namespace
} // namespace lk::test
