#include "AppFixture.h"
#include "gui/toolkit/CommandRouter.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace lk::test {
namespace {

// The Tools menu, before Help in both menu bars, holds every command added to
// the historic menus; the historic items stay exactly as they were.

// One row of a menu as the user sees it: the pop-up, the item text, its id,
// and its prompt split into the status-bar text and the tooltip.
struct Row
{
    const char* popup;
    const char* text; // null for a separator
    int id;
    const char* status;
    const char* tooltip;
};

const Row kMainMenu[] = {
    {"&File", "&New\tCtrl+N", 57600, "Create a new document", "New"},
    {"&File", "&Open...\tCtrl+O", 57601, "Open an existing document", "Open"},
    {"&File", nullptr, 0, "", ""},
    {"&File", "&Printing Format", 57607, "List account in printing format", "Printing format"},
    {"&File", "P&rint Setup...", 57606, "Change the printer and printing options", "Print Setup"},
    {"&File", nullptr, 0, "", ""},
    {"&File", "Import...", 32809, "", ""},
    {"&File", "Export...", 32810, "Export all accounts into a file", "Exporting"},
    {"&File", nullptr, 0, "", ""},
    {"&File", "E&xit", 57665, "Quit the application; prompts to save documents", "Exit"},
    {"&View", "&Account Explorer       ", 32791, "List all accounts", "Account List"},
    {"&View", nullptr, 0, "", ""},
    {"&View", "&Status Bar", 59393, "Show or hide the status bar", "Toggle StatusBar"},
    {"&Tools", "&Find\tCtrl+F", 33100, "Show only the accounts whose name, URL or user name contains a text", "Find"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "Copy &User Name\tCtrl+B", 33101, "Copy the account's user name to the Clipboard", "Copy User Name"},
    {"&Tools", "Copy &Password\tCtrl+Shift+C", 33102,
     "Copy the account's password to the Clipboard, cleared again soon", "Copy Password"},
    {"&Tools", "Copy U&RL\tCtrl+Shift+U", 33103, "Copy the account's URL to the Clipboard", "Copy URL"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "&Generate Password...", 33104, "Make a new random password", "Generate Password"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "&Export CSV...", 33110, "Export all accounts into a CSV file for a browser or another password keeper",
     "Export CSV"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "Protect with &Master Password...", 33111, "Encrypt every account file under a master password",
     "Protect with Master Password"},
    {"&Tools", "C&hange Master Password...", 33112, "Change the master password of the protected store",
     "Change Master Password"},
    {"&Tools", "Remo&ve Protection...", 33113, "Write every account file without encryption again",
     "Remove Protection"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "&Lock\tCtrl+L", 33114, "Hide every account until the master password is given again", "Lock"},
    {"&Help", "&Help Index", 57670, "Explorer Online Helper", "Online Helper"},
    {"&Help", nullptr, 0, "", ""},
    {"&Help", "&About LedgerKeeper", 57664, "Display program information, version number and copyright", "About"},
};

const Row kAccountMenu[] = {
    {"&Account", "&New", 1031, "Create new account", "New account"},
    {"&Account", "&Delete", 1030, "Delete an account", "Delete"},
    {"&Account", "&Save", 1028, "Save an account", "Save"},
    {"&Account", nullptr, 0, "", ""},
    {"&Account", "&Login", 1040, "Login an account", "Login"},
    {"&Account", nullptr, 0, "", ""},
    {"&Account", "&Printing Format...", 57607, "List account in printing format", "Printing format"},
    {"&Account", "P&rint Setup...", 57606, "Change the printer and printing options", "Print Setup"},
    {"&Account", nullptr, 0, "", ""},
    {"&Account", "Import...", 32809, "", ""},
    {"&Account", "Export...", 32810, "Export all accounts into a file", "Exporting"},
    {"&Account", nullptr, 0, "", ""},
    {"&Account", "E&xit", 57665, "Quit the application; prompts to save documents", "Exit"},
    {"&Edit", "&Undo\tCtrl+Z", 57643, "Undo the last action", "Undo"},
    {"&Edit", nullptr, 0, "", ""},
    {"&Edit", "Cu&t\tCtrl+X", 57635, "Cut the selection and put it on the Clipboard", "Cut"},
    {"&Edit", "&Copy\tCtrl+C", 57634, "Copy the selection and put it on the Clipboard", "Copy"},
    {"&Edit", "&Paste\tCtrl+V", 57637, "Insert Clipboard contents", "Paste"},
    {"&View", "&Account Explorer       ", 32791, "List all accounts", "Account List"},
    {"&View", nullptr, 0, "", ""},
    {"&View", "&Status Bar", 59393, "Show or hide the status bar", "Toggle StatusBar"},
    {"&Tools", "&Find\tCtrl+F", 33100, "Show only the accounts whose name, URL or user name contains a text", "Find"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "Copy &User Name\tCtrl+B", 33101, "Copy the account's user name to the Clipboard", "Copy User Name"},
    {"&Tools", "Copy &Password\tCtrl+Shift+C", 33102,
     "Copy the account's password to the Clipboard, cleared again soon", "Copy Password"},
    {"&Tools", "Copy U&RL\tCtrl+Shift+U", 33103, "Copy the account's URL to the Clipboard", "Copy URL"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "&Generate Password...", 33104, "Make a new random password", "Generate Password"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "&Export CSV...", 33110, "Export all accounts into a CSV file for a browser or another password keeper",
     "Export CSV"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "Protect with &Master Password...", 33111, "Encrypt every account file under a master password",
     "Protect with Master Password"},
    {"&Tools", "C&hange Master Password...", 33112, "Change the master password of the protected store",
     "Change Master Password"},
    {"&Tools", "Remo&ve Protection...", 33113, "Write every account file without encryption again",
     "Remove Protection"},
    {"&Tools", nullptr, 0, "", ""},
    {"&Tools", "&Lock\tCtrl+L", 33114, "Hide every account until the master password is given again", "Lock"},
    {"&Help", "&Help Index", 57670, "Explorer Online Helper", "Online Helper"},
    {"&Help", nullptr, 0, "", ""},
    {"&Help", "&About LedgerKeeper", 57664, "Display program information, version number and copyright", "About"},
};

class MainMenuTest : public AppFixture
{
protected:
    static std::vector<Row> RowsOf(const QList<QMenu*>& menus, std::vector<std::string>& texts)
    {
        std::vector<Row> rows;
        texts.clear();
        texts.reserve(256);
        for (QMenu* menu : menus) {
            for (QAction* action : menu->actions()) {
                texts.push_back(menu->title().toStdString());
                const char* popup = texts.back().c_str();
                if (action->isSeparator()) {
                    rows.push_back({popup, nullptr, 0, "", ""});
                    continue;
                }
                texts.push_back(action->text().toStdString());
                const char* text = texts.back().c_str();
                texts.push_back(action->statusTip().toStdString());
                const char* status = texts.back().c_str();
                texts.push_back(action->toolTip().toStdString());
                const char* tooltip = texts.back().c_str();
                // An item without a prompt shows its own text as its tooltip in Qt.
                if (action->statusTip().isEmpty()) {
                    tooltip = "";
                }
                rows.push_back({popup, text, CommandRouter::IdOf(action), status, tooltip});
            }
        }
        return rows;
    }

    static void ExpectMenu(const QList<QMenu*>& menus, const Row* expected, std::size_t count)
    {
        std::vector<std::string> storage;
        const std::vector<Row> rows = RowsOf(menus, storage);
        ASSERT_EQ(rows.size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            SCOPED_TRACE(testing::Message() << "row " << i);
            EXPECT_STREQ(rows[i].popup, expected[i].popup);
            if (expected[i].text == nullptr) {
                EXPECT_EQ(rows[i].text, nullptr);
                continue;
            }
            ASSERT_NE(rows[i].text, nullptr);
            EXPECT_STREQ(rows[i].text, expected[i].text);
            EXPECT_EQ(rows[i].id, expected[i].id);
            EXPECT_STREQ(rows[i].status, expected[i].status);
            EXPECT_STREQ(rows[i].tooltip, expected[i].tooltip);
        }
    }

    QStringList MenuBarTitles() const
    {
        QStringList titles;
        for (QAction* action : Frame().MenuBar()->actions()) {
            titles << action->text();
        }
        return titles;
    }
};

TEST_F(MainMenuTest, TheMainWindowsMenuHoldsEveryItemWithItsIdAndPrompt)
{
    StartApp();
    ExpectMenu(Frame().Menus(128), kMainMenu, std::size(kMainMenu));
}

TEST_F(MainMenuTest, TheAccountWindowsMenuHoldsEveryItemWithItsIdAndPrompt)
{
    StartApp();
    ExpectMenu(Frame().Menus(129), kAccountMenu, std::size(kAccountMenu));
}

TEST_F(MainMenuTest, TheMenuBarSwitchesWithTheAccountWindow)
{
    StartApp();
    EXPECT_EQ(MenuBarTitles(), (QStringList{"&Account", "&Edit", "&View", "&Tools", "&Help"}));
    CloseAllAccountWindows();
    EXPECT_EQ(MenuBarTitles(), (QStringList{"&File", "&View", "&Tools", "&Help"}));
    ASSERT_TRUE(Command(57600));
    Settle();
    EXPECT_EQ(MenuBarTitles(), (QStringList{"&Account", "&Edit", "&View", "&Tools", "&Help"}));
}

TEST_F(MainMenuTest, TheAcceleratorsSendTheirCommands)
{
    StartApp();
    const std::pair<const char*, int> expected[] = {
        {"Ctrl+N", 57600},        {"Ctrl+O", 57601},       {"Ctrl+P", 57607}, {"Ctrl+S", 57603},
        {"Alt+Backspace", 57643}, {"Shift+Del", 57635},    {"F6", 57680},     {"Shift+F6", 57681},
        {"Ctrl+Ins", 57634},      {"Shift+Ins", 57637},    {"Ctrl+F", 33100}, {"Ctrl+B", 33101},
        {"Ctrl+Shift+C", 33102},  {"Ctrl+Shift+U", 33103}, {"Ctrl+L", 33114},
    };
    const QList<QAction*> accelerators = Frame().Accelerators();
    ASSERT_EQ(accelerators.size(), static_cast<qsizetype>(std::size(expected)));
    for (const auto& [keys, id] : expected) {
        int found = 0;
        for (QAction* action : accelerators) {
            if (action->shortcut() == QKeySequence(keys)) {
                EXPECT_EQ(CommandRouter::IdOf(action), id) << keys;
                EXPECT_EQ(action->shortcutContext(), Qt::WindowShortcut);
                ++found;
            }
        }
        EXPECT_EQ(found, 1) << keys;
    }
    // The menu items show their keys in their text and carry no shortcut of their own,
    // so that no key is taken twice.
    for (int resource : {128, 129}) {
        for (QMenu* menu : Frame().Menus(resource)) {
            for (QAction* action : menu->actions()) {
                EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
            }
        }
    }
}

} // namespace
} // namespace lk::test
