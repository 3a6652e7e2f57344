#include "AppFixture.h"
#include "gui/toolkit/CommandIds.h"

#include <QApplication>
#include <QScrollBar>

namespace lk::test {
namespace {

class FirstWindowTest : public AppFixture
{
protected:
    // Every box, button and label of the form lies inside the form's visible area.
    void ExpectWholeFormShows()
    {
        CReaderView& form = Form();
        EXPECT_FALSE(form.horizontalScrollBar()->isVisible());
        EXPECT_FALSE(form.verticalScrollBar()->isVisible());
        EXPECT_EQ(form.MissingRoom(), QSize(0, 0));
        const QRect visible = form.viewport()->rect();
        for (QWidget* control : form.widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect place(control->mapTo(form.viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(visible.contains(place)) << control->objectName().toStdString();
        }
        // The Login button reads in full.
        QPushButton* login = Button(1040);
        EXPECT_GE(login->width(), login->fontMetrics().horizontalAdvance("Login"));
    }
};

TEST_F(FirstWindowTest, TheFirstStartShowsTheWholeFormBesideThePane)
{
    WriteAccount(Named(u"Mail"));
    StartApp();
    EXPECT_GE(Frame().width(), 620);
    EXPECT_GE(Frame().height(), 440);
    ExpectWholeFormShows();
    EXPECT_GE(Pane().width(), Pane().minimumSizeHint().width());
}

TEST_F(FirstWindowTest, ALargerFontMakesALargerFirstWindow)
{
    const QFont font = QApplication::font();
    QFont large = font;
    large.setPointSizeF(font.pointSizeF() * 1.6);
    QApplication::setFont(large);
    StartApp();
    const QSize size = Frame().size();
    ExpectWholeFormShows();
    app.reset();
    Settle();
    QApplication::setFont(font);
    EXPECT_GT(size.width(), 620);
}

TEST_F(FirstWindowTest, LaterStartsRestoreWhatTheUserLeft)
{
    StartApp();
    Frame().resize(1000, 700);
    Frame().addDockWidget(Qt::RightDockWidgetArea, &Pane());
    Settle();
    Command(cmd::kAppExit);
    Settle();
    app.reset();
    Settle();

    StartApp();
    EXPECT_EQ(Frame().size(), QSize(1000, 700));
    EXPECT_EQ(Frame().dockWidgetArea(&Pane()), Qt::RightDockWidgetArea);
}

} // namespace
} // namespace lk::test
