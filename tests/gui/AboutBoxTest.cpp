#include "AppFixture.h"
#include "gui/shell/CAboutDlg.h"
#include "gui/toolkit/CommandIds.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace lk::test {
namespace {

struct CloseKey
{
    const char* name;
    Qt::Key key;
};

void PrintTo(const CloseKey& key, std::ostream* out)
{
    *out << key.name;
}

class AboutBoxTest : public AppFixture, public testing::WithParamInterface<CloseKey>
{};

TEST_P(AboutBoxTest, ShowsTheProgramAndClosesOnTheKey)
{
    StartApp();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_NE(qobject_cast<CAboutDlg*>(box), nullptr);
        EXPECT_EQ(box->windowTitle(), "About LedgerKeeper");
        auto* text = box->findChild<QLabel*>("AboutText");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), "LedgerKeeper Version 1.8");
        auto* icon = box->findChild<QLabel*>("AboutIcon");
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        auto* ok = box->findChild<QPushButton*>("1");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        QTest::keyClick(box, GetParam().key);
    });
    // Returns only once the box is closed.
    ASSERT_TRUE(Command(cmd::kAppAbout));
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutBoxTest,
                         testing::Values(CloseKey{"Enter", Qt::Key_Return}, CloseKey{"Escape", Qt::Key_Escape}),
                         [](const testing::TestParamInfo<CloseKey>& info) { return info.param.name; });

} // namespace
} // namespace lk::test
