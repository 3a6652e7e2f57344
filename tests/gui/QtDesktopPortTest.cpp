#include "gui/toolkit/QtDesktopPort.h"

#include "gui/toolkit/PrintSettings.h"
#include "gui/toolkit/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

// Takes the URLs the desktop's handler would be given.
class UrlCatcher final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void Take(const QUrl& url) { urls << url; }
};

namespace lk {
namespace {

// What a box showed, read while it was on the screen.
struct SeenBox
{
    QString title;
    QStringList buttons;
};

// Runs `show` and, once its box is up, reads it and then does `answer` to it.
SeenBox WhileShown(const std::function<void()>& show, const std::function<void(QMessageBox&)>& answer)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no box";
            return;
        }
        seen.title = box->windowTitle();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
        }
        seen.buttons.sort();
        answer(*box);
    });
    show();
    return seen;
}

class QtDesktopPortTest : public testing::Test
{
protected:
    PrintSettings printing;
    QtDesktopPort port{printing};

    bool Ask(const std::u16string& caption, const std::function<void(QMessageBox&)>& answer, SeenBox* seen = nullptr)
    {
        bool yes = true;
        const SeenBox box =
            WhileShown([&] { yes = port.AskYesNo(u"Save?", caption, DesktopPort::Owner::None); }, answer);
        if (seen != nullptr) {
            *seen = box;
        }
        return yes;
    }
};

TEST_F(QtDesktopPortTest, AQuestionHasOnlyYesAndNoUnderItsExactCaption)
{
    for (const std::u16string caption : {u"LedgerKeeper - Warning", u"Information"}) {
        SeenBox seen;
        EXPECT_TRUE(Ask(
            caption, [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }, &seen));
        EXPECT_EQ(seen.title, ToQString(caption));
        EXPECT_EQ(seen.buttons, (QStringList{"&No", "&Yes"}));
    }
}

TEST_F(QtDesktopPortTest, EscapeAndClosingTheBoxAnswerNo)
{
    EXPECT_FALSE(Ask(u"LedgerKeeper - Warning", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }));
    EXPECT_FALSE(Ask(u"LedgerKeeper - Warning", [](QMessageBox& box) { box.close(); }));
    EXPECT_FALSE(Ask(u"LedgerKeeper - Warning", [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }));
    // Enter takes the default, Yes.
    EXPECT_TRUE(Ask(u"LedgerKeeper - Warning", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }));
}

TEST_F(QtDesktopPortTest, AMessageShowsItsExactCaption)
{
    for (const std::u16string caption : {u"LedgerKeeper - Error", u"Error"}) {
        const SeenBox seen = WhileShown([&] { port.ShowMessage(u"It failed.", caption, DesktopPort::Owner::None); },
                                        [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        EXPECT_EQ(seen.title, ToQString(caption));
    }
}

TEST_F(QtDesktopPortTest, NoProgramNameIsAppendedToTitles)
{
    // The toolkit appends an application display name to every window title when
    // one was set; without one, the display name follows the application's name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(name);
}

TEST_F(QtDesktopPortTest, TheAddressIsHandedOverPercentEncoded)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "Take");
    port.OpenWebAddress("http://x.example/a b?LedgerAt=A & B%");
    port.OpenWebAddress("http://b\xC3\xBC"
                        "cher.example/?LedgerAt=\xC3\x84rzte");
    QDesktopServices::unsetUrlHandler("http");
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].toEncoded().toStdString(), "http://x.example/a%20b?LedgerAt=A%20&%20B%25");
    EXPECT_EQ(catcher.urls[1].toEncoded().toStdString(), "http://xn--bcher-kva.example/?LedgerAt=%C3%84rzte");
}

} // namespace
} // namespace lk

#include "QtDesktopPortTest.moc"
