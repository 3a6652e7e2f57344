#include "gui/toolkit/ListingWindow.h"

#include "gui/toolkit/PrintSettings.h"
#include "gui/toolkit/QtDesktopPort.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace lk::test {
namespace {

TEST(ListingWindowTest, ShowsTheListingReadOnlyWithPrintAndClose)
{
    PrintSettings printing;
    ListingWindow window("=== Start ===\nAccount Name:\tMail\n", printing);
    EXPECT_TRUE(window.TextView()->isReadOnly());
    EXPECT_EQ(window.TextView()->toPlainText(), "=== Start ===\nAccount Name:\tMail\n");
    EXPECT_EQ(window.PrintButton()->text(), "Print...");
    EXPECT_EQ(window.CloseButton()->text(), "Close");
}

TEST(ListingWindowTest, TheDesktopShowsTheListingFileModallyUntilClosed)
{
    TempFolder temp;
    const std::filesystem::path file = temp.path() / "PrintFormat.txt";
    WriteBytes(file, {'L', 'i', 's', 't', '\r', '\n', 'x'});
    PrintSettings printing;
    QtDesktopPort desktop(printing);
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<ListingWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        shown = window->TextView()->toPlainText();
        window->CloseButton()->click();
    });
    EXPECT_TRUE(desktop.ShowListing(file));
    EXPECT_EQ(shown, "List\nx");
    EXPECT_TRUE(std::filesystem::exists(file)); // deleting it is the listing command's part
}

TEST(ListingWindowTest, AListingFileThatIsMissingIsNotShown)
{
    TempFolder temp;
    PrintSettings printing;
    QtDesktopPort desktop(printing);
    EXPECT_FALSE(desktop.ShowListing(temp.path() / "missing.txt"));
}

} // namespace
} // namespace lk::test
