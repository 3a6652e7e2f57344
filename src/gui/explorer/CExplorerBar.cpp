#include "gui/explorer/CExplorerBar.h"

#include "core/document/CReaderDoc.h"
#include "core/editor/FormBoxes.h"
#include "core/ports/FormPort.h"
#include "gui/explorer/AccountTreeModel.h"
#include "gui/explorer/CAccountTree.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/DisplayStyle.h"
#include "gui/toolkit/QtText.h"
#include "gui/toolkit/SecretClipboard.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>

namespace lk {

CExplorerBar* g_pExplorerBar = nullptr;

namespace {

// The pane's own client area around the tabs: a press there reaches the pane.
class PaneSurface final : public QWidget
{
public:
    PaneSurface(std::function<void()> onPress, QWidget* parent) : QWidget(parent), m_onPress(std::move(onPress)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            m_onPress();
            event->accept();
            return;
        }
        QWidget::mousePressEvent(event);
    }

private:
    std::function<void()> m_onPress;
};

// Holds the pane's "ignore selection changes" count up for one scope.
class SelectionGuard
{
public:
    explicit SelectionGuard(int& count) : m_count(count) { ++m_count; }
    ~SelectionGuard() { --m_count; }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    int& m_count;
};

} // namespace

CExplorerBar::CExplorerBar(CommandRouter& router, QWidget* parent)
    : QDockWidget("Account Explorer", parent), m_router(router)
{
    setObjectName("AccountExplorer");
    setProperty("controlId", ctl::kExplorerPane);
    g_pExplorerBar = this;
}

CExplorerBar::~CExplorerBar()
{
    if (g_pExplorerBar == this) {
        g_pExplorerBar = nullptr;
    }
}

ToolPage* CExplorerBar::MakePage(CAccountTree* tree)
{
    auto* page = new ToolPage(m_tabs);
    page->setObjectName(tree == m_frequencyTree ? "FrequencyPage" : "AlphabetPage");
    page->AddButton(QIcon(":/ledgerkeeper/icons/new.png"), cmd::kAccountNew, "New");
    page->AddButton(QIcon(":/ledgerkeeper/icons/delete.png"), cmd::kAccountDelete, "Delete");
    page->AddButton(QIcon(":/ledgerkeeper/icons/save.png"), cmd::kAccountSave, "Save");
    page->AddButton(QIcon(":/ledgerkeeper/icons/login.png"), cmd::kAccountLogin, "Login");
    connect(page, &ToolPage::CommandIssued, this, [this](int id) { m_router.RouteFrom(*this, id); });
    for (QAction* button : page->ToolBar()->actions()) {
        m_router.Track(button, *this, CommandRouter::IdOf(button));
    }
    page->SetWindow(tree);
    return page;
}

bool CExplorerBar::OnCreate()
{
    setWindowIcon(QIcon(":/ledgerkeeper/icons/pane.png"));
    m_surface = new PaneSurface([this] { OnLButtonDown(); }, this);
    m_surface->setObjectName("ExplorerSurface");
    auto* layout = new QVBoxLayout(m_surface);
    layout->setContentsMargins(4, 4, 4, 4);

    // The Find box narrows both trees as the user types; empty, the trees list
    // every account.
    m_findBox = new QLineEdit(m_surface);
    m_findBox->setObjectName("FindBox");
    m_findBox->setPlaceholderText("Find");
    m_findBox->setClearButtonEnabled(true);
    m_findBox->setToolTip("Show only the accounts whose name, URL or user name contains this text (Ctrl+F)");
    m_findBox->installEventFilter(this);
    connect(m_findBox, &QLineEdit::textChanged, this, &CExplorerBar::OnFindTextChanged);
    layout->addWidget(m_findBox);

    m_tabs = new QTabWidget(m_surface);
    m_tabs->setObjectName("ExplorerTabs");
    m_tabs->setProperty("controlId", ctl::kPaneTabs);
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setIconSize(QSize(16, 16));

    m_frequencyTree = new CAccountTree(ctl::kFrequencyTree);
    m_frequencyTree->setObjectName("FrequencyTree");
    m_frequencyPage = MakePage(m_frequencyTree);
    m_alphabetTree = new CAccountTree(ctl::kAlphabetTree);
    m_alphabetTree->setObjectName("AlphabetTree");
    m_alphabetPage = MakePage(m_alphabetTree);

    m_tabs->addTab(m_frequencyPage, QIcon(":/ledgerkeeper/icons/frequency.png"), "Frequency");
    m_tabs->addTab(m_alphabetPage, QIcon(":/ledgerkeeper/icons/alphabet.png"), "Alphabet");
    layout->addWidget(m_tabs);
    setWidget(m_surface);
    return true;
}

CAccountTree* CExplorerBar::Tree(ExplorerPort::Tree which) const
{
    return which == ExplorerPort::Tree::Frequency ? m_frequencyTree : m_alphabetTree;
}

CAccountTree* CExplorerBar::CurrentTree() const
{
    if (m_tabs == nullptr) {
        return nullptr;
    }
    return m_tabs->currentIndex() == 0 ? m_frequencyTree : m_alphabetTree;
}

void CExplorerBar::RebuildTree(ExplorerPort::Tree which, const std::vector<AccountRecord*>& listed)
{
    (which == ExplorerPort::Tree::Frequency ? m_listedFrequency : m_listedAlphabet) = listed;
    ShowFiltered(which);
}

void CExplorerBar::ShowFiltered(ExplorerPort::Tree which)
{
    CAccountTree* tree = Tree(which);
    if (tree == nullptr) {
        return;
    }
    const std::vector<AccountRecord*>& all =
        which == ExplorerPort::Tree::Frequency ? m_listedFrequency : m_listedAlphabet;
    SelectionGuard guard(m_ignoreSelection);
    tree->Fill(m_filter.Apply(all));
}

void CExplorerBar::OnFindTextChanged()
{
    m_filter = AccountFilter(ToU16(m_findBox->text()));
    if (g_pDocument == nullptr) {
        // The items hold no records any more; the next fill applies the filter.
        return;
    }
    for (const ExplorerPort::Tree which : {ExplorerPort::Tree::Frequency, ExplorerPort::Tree::Alphabet}) {
        CAccountTree* tree = Tree(which);
        if (tree == nullptr) {
            continue;
        }
        // The account the tree shows as selected stays selected when it still
        // passes the filter; nothing is opened again.
        const AccountRecord* selected = CAccountTree::RecordOf(tree->SelectedItem());
        ShowFiltered(which);
        if (const QModelIndex item = tree->ItemOf(selected); item.isValid()) {
            SelectionGuard guard(m_ignoreSelection);
            tree->setCurrentIndex(item);
        }
    }
}

void CExplorerBar::FocusFind()
{
    if (m_findBox == nullptr) {
        return;
    }
    if (!isVisible()) {
        show();
    }
    m_findBox->setFocus(Qt::ShortcutFocusReason);
    m_findBox->selectAll();
}

bool CExplorerBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_findBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            m_findBox->clear();
            return true;
        }
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier && m_tabs != nullptr) {
            // Into the tree in front, on its first account (which opens it).
            CAccountTree* tree = m_tabs->currentIndex() == 0 ? m_frequencyTree : m_alphabetTree;
            tree->setFocus(Qt::OtherFocusReason);
            if (!tree->SelectedItem().isValid() && tree->AccountCount() > 0) {
                tree->setCurrentIndex(tree->AccountItem(0));
            }
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

AccountRecord* CExplorerBar::LiveRecordOf(const QModelIndex& item)
{
    AccountRecord* record = CAccountTree::RecordOf(item);
    if (record == nullptr || g_pDocument == nullptr || g_pDocument->Accounts().IndexOf(record) < 0) {
        return nullptr;
    }
    return record;
}

void CExplorerBar::CopyFromItem(const QModelIndex& item, int copyCommand)
{
    const AccountRecord* record = LiveRecordOf(item);
    if (record == nullptr || m_clipboard == nullptr) {
        return;
    }
    // The fields as the form would show them: a slot beyond the ones in use is empty.
    const FormBoxes shown = ShownBoxes(*record);
    switch (copyCommand) {
    case cmd::kCopyUserName:
        m_clipboard->CopyPlain(ToQString(shown.userName), "User name");
        break;
    case cmd::kCopyPassword:
        m_clipboard->CopySecret(ToQString(shown.password));
        break;
    case cmd::kCopyUrl:
        m_clipboard->CopyPlain(ToQString(shown.url), "URL");
        break;
    default:
        break;
    }
}

void CExplorerBar::ShowItemMenu(CAccountTree& tree, const QModelIndex& item, const QPoint& globalPos)
{
    if (LiveRecordOf(item) == nullptr) {
        return;
    }
    QMenu menu(this);
    menu.setObjectName("AccountItemMenu");
    const auto add = [&](const char* text, int id) {
        QAction* action = menu.addAction(text);
        action->setData(id);
        return action;
    };
    add("Copy &User Name", cmd::kCopyUserName);
    add("Copy &Password", cmd::kCopyPassword);
    add("Copy U&RL", cmd::kCopyUrl);
    menu.addSeparator();
    add("&Login", cmd::kAccountLogin);
    add("&Delete", cmd::kAccountDelete);
    // The menu's own event loop may see the tree refilled: the row then
    // refers to nothing any more.
    const QPersistentModelIndex kept(item);
    const QAction* chosen = menu.exec(globalPos);
    if (chosen != nullptr) {
        RunItemCommand(tree, kept, chosen->data().toInt());
    }
}

void CExplorerBar::RunItemCommand(CAccountTree& tree, const QModelIndex& item, int id)
{
    if (LiveRecordOf(item) == nullptr) {
        return;
    }
    if (id == cmd::kCopyUserName || id == cmd::kCopyPassword || id == cmd::kCopyUrl) {
        CopyFromItem(item, id);
        return;
    }
    // Login and Delete act on the account in the form, as the pane's buttons
    // do: the item is opened first, exactly as a click on it opens it.
    if (m_tabs != nullptr) {
        m_tabs->setCurrentIndex(&tree == m_frequencyTree ? 0 : 1);
    }
    // Opening it could refill the tree; the row then refers to nothing any more.
    const QPersistentModelIndex kept(item);
    if (tree.SelectedItem() != item) {
        tree.setCurrentIndex(item);
    }
    const AccountRecord* record = LiveRecordOf(kept);
    if (record == nullptr || g_pDocument == nullptr || g_pDocument->m_pFormView == nullptr) {
        return;
    }
    m_router.RouteFrom(*this, id);
}

void CExplorerBar::ClearTree(CAccountTree& tree)
{
    SelectionGuard guard(m_ignoreSelection);
    tree.ClearTreeSelection();
}

void CExplorerBar::ClearSelection()
{
    if (m_frequencyTree == nullptr) {
        return;
    }
    ClearTree(*m_frequencyTree);
    ClearTree(*m_alphabetTree);
}

void CExplorerBar::OpenSelected()
{
    if (m_ignoreSelection > 0 || m_tabs == nullptr) {
        return;
    }
    CAccountTree* tree = CurrentTree();
    const QModelIndex item = tree->SelectedItem();
    if (!item.isValid()) {
        return;
    }
    if (g_pDocument == nullptr) {
        OnPaneNew();
        ClearTree(*tree);
        return;
    }
    // The root is told by its text, as the trees have always told it: an account
    // named "Account List" is therefore never opened from its item either.
    if (item.data(Qt::DisplayRole).toString() == AccountTreeModel::RootText()) {
        if (g_pDocument->m_pFormView != nullptr) {
            g_pDocument->m_pFormView->OnInitialUpdate();
        }
        return;
    }
    // Only a record of the document's list may be opened: an item can outlive its
    // record when another document filled the trees.
    AccountRecord* record = CAccountTree::RecordOf(item);
    if (record == nullptr || g_pDocument->Accounts().IndexOf(record) < 0) {
        return;
    }
    g_pDocument->OpenAccount(record);
}

void CExplorerBar::OnLButtonDown()
{
    if (g_pDocument == nullptr) {
        return;
    }
    g_pDocument->RefreshAccounts();
    if (g_pDocument->m_pFormView != nullptr) {
        g_pDocument->m_pFormView->OnInitialUpdate();
    }
    ClearTree(*m_alphabetTree);
    ClearTree(*m_frequencyTree);
}

void CExplorerBar::OnPaneNew()
{
    if (g_pDocument == nullptr) {
        m_router.Route(cmd::kFileNew);
    }
}

bool CExplorerBar::Handles(int id) const
{
    return id == cmd::kAccountNew && g_pDocument == nullptr;
}

bool CExplorerBar::OnCommand(int id)
{
    // With a document open, New goes on to the form, which empties itself.
    if (id == cmd::kAccountNew && g_pDocument == nullptr) {
        OnPaneNew();
        return true;
    }
    return false;
}

void CExplorerBar::SetDisplayStyle(int style)
{
    m_displayStyle = style;
    for (ToolPage* page : {m_alphabetPage, m_frequencyPage}) {
        if (page != nullptr) {
            ApplyBarFace(*page->ToolBar(), style);
        }
    }
    if (m_surface != nullptr) {
        ApplyBarFace(*m_surface, style);
    }
    ApplyBarFace(*this, style);
    update();
}

void CExplorerBar::RefillFrom(CReaderDoc& document)
{
    FillAlphabetTree(document.Accounts());
    FillFrequencyTree(document.Accounts());
}

void CExplorerBar::ForgetRecords()
{
    m_listedFrequency.clear();
    m_listedAlphabet.clear();
    for (CAccountTree* tree : {m_frequencyTree, m_alphabetTree}) {
        if (tree == nullptr) {
            continue;
        }
        tree->ForgetRecords();
        // A highlighted item would promise an account that a click can no longer open.
        ClearTree(*tree);
    }
}

} // namespace lk
