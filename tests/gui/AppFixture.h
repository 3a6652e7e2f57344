#pragma once

#include "core/store/AccountRecord.h"
#include "gui/editor/CReaderView.h"
#include "gui/explorer/CAccountTree.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/shell/CChildFrame.h"
#include "gui/shell/CMainFrame.h"
#include "gui/shell/CReaderApp.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace lk::test {

// One account as a test writes it into the data folder.
struct AccountFixture
{
    std::u16string name;
    std::string url = "https://example.com";
    std::uint32_t slotCount = 3;
    std::string password = "secret";
    std::string userName = "user";
    std::string accountId = "id-1";
    std::uint32_t useCount = 0;
    std::u16string comment;
    std::int32_t kind = kKindSaved;
    std::string passwordLabel;
    std::string userNameLabel;
    std::string accountIdLabel;
};

inline AccountFixture Named(std::u16string name)
{
    AccountFixture account;
    account.name = std::move(name);
    return account;
}

AccountRecord MakeRecord(const AccountFixture& account);

// The program as it starts, on a product folder of its own, with the desktop
// scripted and an update check that lets it start without the network.
class AppFixture : public testing::Test
{
protected:
    AppFixture();
    ~AppFixture() override;

    // Writes an account file as the store writes it, before or after the start.
    void WriteAccount(const AccountFixture& account);
    // Starts the program and lets it settle; fails the test when it does not start.
    void StartApp();
    // Lets queued events run (title updates, deferred deletes).
    static void Settle();

    CMainFrame& Frame() const;
    CExplorerBar& Pane() const;
    CChildFrame* ActiveChild() const;
    CReaderView& Form() const;
    CReaderDoc& Document() const;
    QLineEdit* Box(int id) const;
    QPlainTextEdit* CommentBox() const;
    QLabel* Label(int id) const;
    QPushButton* Button(int id) const;
    // Routes a command as its menu item or accelerator does.
    bool Command(int id) const;

    // The names of a tree's account items, top to bottom.
    static std::vector<std::u16string> ItemNames(const CAccountTree& tree);
    // The account item of a tree that reads `name`, or null.
    static QModelIndex ItemNamed(const CAccountTree& tree, std::u16string_view name);
    // Selects an item in a tab as a click would: the tab to the front, then the item.
    void SelectInTab(int tab, std::u16string_view name);
    // Closes every account window, as closing their tabs does.
    void CloseAllAccountWindows();

    TempFolder temp;
    Folders folders = temp.folders();
    ScriptedDesktop desktop;
    int updateChecks = 0;
    bool updateCheckAnswer = true;
    std::unique_ptr<CReaderApp> app;
};

} // namespace lk::test
