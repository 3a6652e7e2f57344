#include "AppFixture.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/PrintSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QMdiArea>
#include <QPrintDialog>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>

namespace lk::test {
namespace {

class LooksTest : public AppFixture
{
protected:
    static QColor Inherited(QWidget* box, QPalette::ColorRole role) { return QApplication::palette(box).color(role); }

    void Focus(QWidget* box)
    {
        box->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }
};

TEST_F(LooksTest, TheMaskedPasswordBoxIsDrawnReadOnly)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    QLineEdit* password = Box(1027);
    ASSERT_TRUE(password->isReadOnly());
    EXPECT_EQ(password->palette().color(QPalette::Base), Inherited(password, QPalette::Window));
    EXPECT_NE(Box(1020)->palette().color(QPalette::Base), Inherited(password, QPalette::Window));
    Button(1001)->click();
    EXPECT_EQ(password->palette().color(QPalette::Base), Inherited(password, QPalette::Base));
    Button(1001)->click();
    EXPECT_EQ(password->palette().color(QPalette::Base), Inherited(password, QPalette::Window));
}

TEST_F(LooksTest, ABoxWithoutTheFocusHighlightsNoSelection)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    SelectInTab(1, u"Mail");
    QLineEdit* account = Box(1020);
    Focus(account);
    account->setSelection(0, 2);
    EXPECT_EQ(account->palette().color(QPalette::Highlight), Inherited(account, QPalette::Highlight));
    Focus(Box(1021));
    EXPECT_EQ(account->selectedText(), "Ma") << "the selection is kept";
    EXPECT_EQ(account->palette().color(QPalette::Highlight), account->palette().color(QPalette::Base));
    EXPECT_EQ(account->palette().color(QPalette::HighlightedText), Inherited(account, QPalette::Text));

    CommentBox()->selectAll();
    EXPECT_EQ(CommentBox()->palette().color(QPalette::Inactive, QPalette::Highlight),
              CommentBox()->palette().color(QPalette::Base));
    Focus(account);
    EXPECT_EQ(account->palette().color(QPalette::Highlight), Inherited(account, QPalette::Highlight));
}

TEST_F(LooksTest, ALongAccountNameIsShortenedInItsTabWithTheCloseButtonInView)
{
    const std::u16string name(120, u'W');
    WriteAccount(Named(name));
    StartApp();
    SelectInTab(1, name);
    Settle();
    auto* tabs = Frame().MdiArea()->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->tabText(0).size(), 120);
    EXPECT_EQ(tabs->elideMode(), Qt::ElideRight);
    EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(0))) << tabs->tabRect(0).width() << " in " << tabs->width();
    QWidget* close = tabs->tabButton(0, QTabBar::RightSide);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    EXPECT_TRUE(tabs->rect().contains(close->geometry()));
}

TEST_F(LooksTest, ATreeItemCutByThePanesWidthShowsItsNameAsATooltip)
{
    const std::u16string longName = u"A rather long account name that the pane cannot show whole";
    WriteAccount(Named(longName));
    WriteAccount(Named(u"Bank"));
    StartApp();
    Pane().Tabs()->setCurrentIndex(1);
    CAccountTree* tree = Pane().AlphabetTree();
    auto centre = [tree](std::u16string_view name) { return tree->visualRect(ItemNamed(*tree, name)).center(); };
    EXPECT_EQ(tree->CutNameAt(centre(longName)), QString::fromStdU16String(longName));
    EXPECT_EQ(tree->CutNameAt(centre(u"Bank")), QString());

    // The tooltip event shows it.
    const QPoint at = centre(longName);
    QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QString::fromStdU16String(longName));
    QToolTip::hideText();
}

TEST_F(LooksTest, TheBannerSpansAnyWidth)
{
    StartApp();
    QWidget* banner = Frame().Banner();
    const int pictureWidth = banner->sizeHint().width();
    banner->resize(pictureWidth + 700, banner->height());
    const QImage image = banner->grab().toImage();
    const int y = banner->height() / 2;
    EXPECT_EQ(image.pixelColor(image.width() - 1, y), image.pixelColor(pictureWidth - 1, y));
}

TEST_F(LooksTest, PrintSetupOffersThePrinter)
{
    PrintSettings printing;
    QString title;
    bool printDialog = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        printDialog = qobject_cast<QPrintDialog*>(dialog) != nullptr;
        static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_FALSE(printing.RunPrintSetup(nullptr));
    EXPECT_EQ(title, "Print Setup");
    EXPECT_TRUE(printDialog);
}

} // namespace
} // namespace lk::test
