#pragma once

#include "core/explorer/AccountFilter.h"
#include "core/ports/ExplorerPort.h"
#include "gui/toolkit/CommandTarget.h"

#include <QDockWidget>

class QLineEdit;
class QModelIndex;
class QPoint;
class QTabWidget;

namespace lk {

class CAccountTree;
class CommandRouter;
class CReaderDoc;
class SecretClipboard;
class ToolPage;

// The "Account Explorer" pane: two tabs, "Frequency" and "Alphabet", each a
// small toolbar (New, Delete, Save, Login) above a tree of the accounts. A
// selection in a tree opens the account in the form; the root blanks the form;
// a press on the pane's own surface reloads everything from the data folder.
class CExplorerBar : public QDockWidget, public ExplorerPort, public CommandTarget
{
    Q_OBJECT

public:
    // The pane's toolbar buttons go to `router`, to the pane first.
    explicit CExplorerBar(CommandRouter& router, QWidget* parent = nullptr);
    ~CExplorerBar() override;

    // Builds the pages, the toolbars, the trees and the tabs. The trees stay
    // empty until the first document fills them.
    bool OnCreate();

    void ClearSelection() override;
    // Opens the account selected in the tree of the tab in front, or blanks the
    // form for the root.
    void OpenSelected();
    // A press on the pane: reload the accounts and blank the form.
    void OnLButtonDown();
    // Makes a document when there is none.
    void OnPaneNew();
    bool OnCommand(int id) override;
    [[nodiscard]] bool Handles(int id) const override;
    void SetDisplayStyle(int style);

    // Rebuilds both trees from a document's list as it stands, without reloading
    // it: the trees then refer only to records of that document.
    void RefillFrom(CReaderDoc& document);
    // Drops the records of every item, once no document holds them any more.
    void ForgetRecords();

    // The Find box: focused with the text selected (Ctrl+F).
    void FocusFind();
    QLineEdit* FindBox() const { return m_findBox; }
    // Where the trees' context menu copies to; null copies nothing.
    void SetClipboard(SecretClipboard* clipboard) { m_clipboard = clipboard; }
    // The trees' context menu for `item` (an account row, or nothing for any other).
    void ShowItemMenu(CAccountTree& tree, const QModelIndex& item, const QPoint& globalPos);
    // What the context menu's Copy commands do for the account of `item`.
    void CopyFromItem(const QModelIndex& item, int copyCommand);
    // One command of the context menu: the copies, Login or Delete of the item.
    void RunItemCommand(CAccountTree& tree, const QModelIndex& item, int id);

    CAccountTree* Tree(ExplorerPort::Tree which) const;
    // The tree of the tab in front.
    CAccountTree* CurrentTree() const;
    CAccountTree* FrequencyTree() const { return m_frequencyTree; }
    CAccountTree* AlphabetTree() const { return m_alphabetTree; }
    ToolPage* FrequencyPage() const { return m_frequencyPage; }
    ToolPage* AlphabetPage() const { return m_alphabetPage; }
    QTabWidget* Tabs() const { return m_tabs; }
    QWidget* Surface() const { return m_surface; }

protected:
    void RebuildTree(ExplorerPort::Tree tree, const std::vector<AccountRecord*>& listed) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ToolPage* MakePage(CAccountTree* tree);
    // Fills one tree with the accounts of `listed` that pass the filter.
    void ShowFiltered(ExplorerPort::Tree which);
    void OnFindTextChanged();
    // The record of an item, if it is still one of the document's list.
    static AccountRecord* LiveRecordOf(const QModelIndex& item);
    void ClearTree(CAccountTree& tree);

    CommandRouter& m_router;
    QWidget* m_surface = nullptr;
    ToolPage* m_frequencyPage = nullptr;
    ToolPage* m_alphabetPage = nullptr;
    QTabWidget* m_tabs = nullptr;
    CAccountTree* m_frequencyTree = nullptr;
    CAccountTree* m_alphabetTree = nullptr;
    QLineEdit* m_findBox = nullptr;
    SecretClipboard* m_clipboard = nullptr;
    AccountFilter m_filter;
    // What the last fill of each tree listed, before the filter: the records
    // stay valid until the document's list is next emptied, which always ends
    // in a fill of both trees.
    std::vector<AccountRecord*> m_listedFrequency;
    std::vector<AccountRecord*> m_listedAlphabet;
    int m_displayStyle = 0;
    // Above zero while the pane itself changes a tree's selection (rebuilds and
    // clears): those changes have nothing to open, and during a rebuild the items
    // may refer to records the document has already freed.
    int m_ignoreSelection = 0;
};

// The one explorer pane, or null before it exists.
extern CExplorerBar* g_pExplorerBar;

} // namespace lk
