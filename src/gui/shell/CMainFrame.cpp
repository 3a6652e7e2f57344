#include "gui/shell/CMainFrame.h"

#include "core/document/CReaderDoc.h"
#include "gui/editor/CReaderView.h"
#include "gui/editor/PasswordGeneratorDialog.h"
#include "gui/explorer/CAccountTree.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/shell/CChildFrame.h"
#include "gui/shell/CReaderApp.h"
#include "gui/shell/HelpManual.h"
#include "gui/shell/MenuResources.h"
#include "gui/shell/QtUpdateSettings.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/DisplayStyle.h"
#include "gui/toolkit/QtText.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>
#include <algorithm>

namespace lk {

namespace {

const QString kFrameTitle = "LedgerKeeper";

// Where the window's size, place and dock layout are kept between starts.
constexpr const char* kGeometryKey = "MainFrame/Geometry";
constexpr const char* kStateKey = "MainFrame/State";

// The smallest first window, the size the program has always opened at.
constexpr QSize kLeastFirstSize(620, 440);
// The explorer pane's width beside the form at the first start.
constexpr int kPaneWidth = 190;

// The banner picture: as wide as the window lets it be, cut on the right.
class BannerPicture final : public QWidget
{
public:
    BannerPicture(QPixmap picture, QWidget* parent) : QWidget(parent), m_picture(std::move(picture))
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override { return m_picture.deviceIndependentSize().toSize(); }
    QSize minimumSizeHint() const override { return QSize(1, sizeHint().height()); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // Wider than the picture, its last column runs on to the window's edge.
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
        const QSize picture = m_picture.deviceIndependentSize().toSize();
        if (width() > picture.width() && !m_picture.isNull()) {
            const QRect lastColumn(m_picture.width() - 1, 0, 1, m_picture.height());
            painter.drawPixmap(QRect(picture.width(), 0, width() - picture.width(), picture.height()), m_picture,
                               lastColumn);
        }
    }

private:
    QPixmap m_picture;
};

QString Before(std::string_view prompt, bool before)
{
    const QString text = QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size()));
    const qsizetype feed = text.indexOf('\n');
    if (feed < 0) {
        return before ? text : QString();
    }
    return before ? text.left(feed) : text.mid(feed + 1);
}

} // namespace

CMainFrame::CMainFrame(CReaderApp& app) : m_app(app), m_frameStyle(kStyleLight)
{
    setObjectName("MainFrame");
    m_router.SetChain([this] {
        std::vector<CommandTarget*> chain;
        if (CChildFrame* child = ActiveChild()) {
            chain = {&child->View(), &child->DocumentTarget(), child};
        }
        chain.push_back(this);
        chain.push_back(&m_app);
        return chain;
    });
}

CMainFrame::~CMainFrame()
{
    // The account windows close first, each with its document, while the pane
    // they refer to still exists.
    if (m_mdiArea != nullptr) {
        for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
            delete window;
        }
    }
}

bool CMainFrame::LoadFrame()
{
    resize(kLeastFirstSize);
    setWindowTitle(kFrameTitle);
    return OnCreate() == 0;
}

int CMainFrame::OnCreate()
{
    if (!m_app.RunUpdateCheck()) {
        return -1;
    }
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("MenuBar");
    BuildMenus();
    ShowMenu(kMainFrameMenu);
    BuildAccelerators();
    InitStatusBar();

    m_wndExplorer = new CExplorerBar(m_router, this);
    if (!m_wndExplorer->OnCreate()) {
        return -1;
    }
    m_wndExplorer->SetClipboard(&m_clipboard);
    connect(&m_clipboard, &SecretClipboard::StatusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    // The pane's bar style asks for tooltips and fly-by prompts: hovering a
    // button of its toolbars shows the command's prompt in the status bar.
    for (ToolPage* page : {m_wndExplorer->FrequencyPage(), m_wndExplorer->AlphabetPage()}) {
        for (QAction* button : page->ToolBar()->actions()) {
            button->setStatusTip(Before(CommandPrompt(CommandRouter::IdOf(button)), true));
        }
    }
    m_wndExplorer->setAllowedAreas(Qt::AllDockWidgetAreas);
    m_wndExplorer->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                               QDockWidget::DockWidgetFloatable);
    CreateBanner();
    addDockWidget(Qt::LeftDockWidgetArea, m_wndExplorer);
    resizeDocks({m_wndExplorer}, {kPaneWidth}, Qt::Horizontal);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("AccountWindows");
    m_mdiArea->setViewMode(QMdiArea::TabbedView);
    m_mdiArea->setDocumentMode(true);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setTabsMovable(true);
    m_mdiArea->setBackground(QColor("#c9d3dd"));
    setCentralWidget(m_mdiArea);
    if (auto* tabs = m_mdiArea->findChild<QTabBar*>()) {
        tabs->setExpanding(false);
        // A long account name is shortened so that its tab, close button
        // included, stays in view.
        tabs->setElideMode(Qt::ElideRight);
        tabs->setUsesScrollButtons(false);
    }
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveChildChanged);

    if (m_frameStyle == kStyleTinted) {
        OnStyle8002();
    } else {
        OnStyle8001();
    }
    return 0;
}

QSize CMainFrame::FittingSize() const
{
    CChildFrame* child = ActiveChild();
    if (child == nullptr) {
        return kLeastFirstSize;
    }
    // The account form's surface has the fixed size of its template at the
    // font in use; around it come the tab bar of the account windows, the
    // frame of their area, the pane with its separator, the menu and banner
    // strip and the status bar.
    const QSize form = child->View().widget()->size();
    int tabBar = 0;
    if (const auto* tabs = m_mdiArea->findChild<QTabBar*>()) {
        tabBar = tabs->sizeHint().height();
    }
    const int frame = 2 * m_mdiArea->frameWidth();
    const int pane = std::max(kPaneWidth, m_wndExplorer->minimumSizeHint().width());
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const int top = menuWidget() != nullptr ? menuWidget()->sizeHint().height() : 0;
    const int bottom = statusBar()->isVisible() ? statusBar()->sizeHint().height() : 0;
    const QSize fitting(pane + separator + frame + form.width(), top + tabBar + frame + form.height() + bottom);
    return fitting.expandedTo(kLeastFirstSize);
}

void CMainFrame::GrowToFitForm()
{
    CChildFrame* child = ActiveChild();
    if (child == nullptr) {
        return;
    }
    const QSize missing = child->View().MissingRoom();
    if (missing.width() > 0 || missing.height() > 0) {
        resize(size() + missing);
    }
}

bool CMainFrame::RestoreLayout()
{
    QSettings settings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication);
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        return false;
    }
    restoreState(settings.value(kStateKey).toByteArray());
    return true;
}

void CMainFrame::SaveLayout() const
{
    QSettings settings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication);
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState());
}

void CMainFrame::ShowFirstTime()
{
    if (RestoreLayout()) {
        show();
        return;
    }
    resize(FittingSize());
    show();
    // What the estimate missed (a style's extra margins) shows once the window
    // is laid out; the window then grows by just that.
    QTimer::singleShot(0, this, &CMainFrame::GrowToFitForm);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SaveLayout();
    QMainWindow::closeEvent(event);
}

void CMainFrame::BuildMenus()
{
    for (int resource : {kMainFrameMenu, kAccountWindowMenu}) {
        QList<QMenu*>& menus = m_menus[resource];
        for (const MenuPopup& popup : MenuResource(resource)) {
            auto* menu =
                new QMenu(QString::fromUtf8(popup.text.data(), static_cast<qsizetype>(popup.text.size())), this);
            menu->setToolTipsVisible(false);
            for (const MenuItem& item : popup.items) {
                if (item.id == 0) {
                    menu->addSeparator();
                    continue;
                }
                auto* action =
                    menu->addAction(QString::fromUtf8(item.text.data(), static_cast<qsizetype>(item.text.size())));
                const std::string_view prompt = CommandPrompt(item.id);
                action->setStatusTip(Before(prompt, true));
                action->setToolTip(Before(prompt, false));
                m_router.Bind(action, item.id);
                if (item.id == cmd::kViewStatusBar) {
                    action->setCheckable(true);
                    action->setChecked(true);
                }
            }
            // What a command's route handles can change at any time; the items
            // show it when the menu opens.
            connect(menu, &QMenu::aboutToShow, this, [this] { m_router.UpdateActions(); });
            menus << menu;
        }
    }
}

void CMainFrame::BuildAccelerators()
{
    for (const Accelerator& accelerator : MainAccelerators()) {
        auto* action = new QAction(this);
        action->setObjectName("Accelerator");
        action->setShortcut(
            QKeySequence(QString::fromUtf8(accelerator.keys.data(), static_cast<qsizetype>(accelerator.keys.size()))));
        action->setShortcutContext(Qt::WindowShortcut);
        m_router.Bind(action, accelerator.id);
        addAction(action);
        m_accelerators << action;
    }
    // The account window's own key, as on every multiple-document frame; not in
    // the accelerator table, which is the program's.
    auto* closeWindow = new QAction(this);
    closeWindow->setObjectName("CloseAccountWindow");
    closeWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    closeWindow->setShortcutContext(Qt::WindowShortcut);
    connect(closeWindow, &QAction::triggered, this, [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->close();
        }
    });
    addAction(closeWindow);
}

QList<QMenu*> CMainFrame::Menus(int resourceId) const
{
    const auto found = m_menus.find(resourceId);
    return found == m_menus.end() ? QList<QMenu*>() : found->second;
}

void CMainFrame::ShowMenu(int resourceId)
{
    if (m_shownMenu == resourceId) {
        return;
    }
    m_shownMenu = resourceId;
    QMenuBar* bar = m_menuBar;
    bar->clear();
    for (QMenu* menu : Menus(resourceId)) {
        bar->addMenu(menu);
    }
}

void CMainFrame::InitStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(indicator, bar);
        pane->setObjectName(QString("Indicator") + indicator);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance("SCRL") + 14);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        // Dimmed while its lock is off, or while the lock keys can't be read.
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
    bar->showMessage("Ready");
    // The indicators follow the keys as the frame's idle time did: a lock key
    // pressed in another program shows here too.
    auto* poll = new QTimer(this);
    poll->setObjectName("IndicatorPoll");
    connect(poll, &QTimer::timeout, this, &CMainFrame::UpdateIndicators);
    poll->start(250);
    UpdateIndicators();
}

void CMainFrame::SetLockKeyReader(LockKeyReader reader)
{
    m_lockKeys = std::move(reader);
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators()
{
    const std::optional<LockKeyState> keys = m_lockKeys ? m_lockKeys() : std::nullopt;
    const std::pair<const char*, bool> indicators[] = {{"IndicatorCAP", keys && keys->caps},
                                                       {"IndicatorNUM", keys && keys->num},
                                                       {"IndicatorSCRL", keys && keys->scroll}};
    for (const auto& [name, on] : indicators) {
        if (auto* pane = statusBar()->findChild<QLabel*>(name)) {
            pane->setEnabled(on);
        }
    }
}

void CMainFrame::CreateBanner()
{
    // The menu bar and the banner below it share the top strip, which spans
    // the whole width above the docked pane.
    auto* top = new QWidget(this);
    top->setObjectName("TopStrip");
    auto* layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_menuBar);
    m_wndBanner = new BannerPicture(QPixmap(":/ledgerkeeper/banner.png"), top);
    m_wndBanner->setObjectName("Banner");
    layout->addWidget(m_wndBanner);
    setMenuWidget(top);
}

CChildFrame* CMainFrame::ActiveChild() const
{
    if (m_mdiArea == nullptr) {
        return nullptr;
    }
    // The window in front stays so while a message box or another program has
    // the focus: the one activated last.
    QMdiSubWindow* current = m_mdiArea->currentSubWindow();
    if (current == nullptr) {
        const QList<QMdiSubWindow*> history = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        current = history.isEmpty() ? nullptr : history.last();
    }
    return qobject_cast<CChildFrame*>(current);
}

QList<CChildFrame*> CMainFrame::Children() const
{
    QList<CChildFrame*> children;
    if (m_mdiArea != nullptr) {
        for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
            if (auto* child = qobject_cast<CChildFrame*>(window)) {
                children << child;
            }
        }
    }
    return children;
}

void CMainFrame::AddChild(CChildFrame* child)
{
    m_mdiArea->addSubWindow(child);
    connect(child, &CChildFrame::TitleChanged, this, &CMainFrame::ScheduleTitleUpdate);
    connect(child, &QObject::destroyed, this, &CMainFrame::OnActiveChildChanged, Qt::QueuedConnection);
    child->showMaximized();
}

void CMainFrame::ActivateChild(CChildFrame* child)
{
    m_mdiArea->setActiveSubWindow(child);
    OnActiveChildChanged();
}

void CMainFrame::OnActiveChildChanged()
{
    ShowMenu(ActiveChild() != nullptr ? kAccountWindowMenu : kMainFrameMenu);
    m_router.UpdateActions();
    ScheduleTitleUpdate();
}

void CMainFrame::ScheduleTitleUpdate()
{
    // The title follows the active account window at idle time: later, once per burst.
    if (m_titleUpdatePending) {
        return;
    }
    m_titleUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_titleUpdatePending = false;
        UpdateFrameTitle();
    });
}

void CMainFrame::UpdateFrameTitle()
{
    CChildFrame* child = ActiveChild();
    setWindowTitle(child == nullptr ? kFrameTitle : kFrameTitle + " - " + ToQString(child->Document().GetTitle()));
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        statusBar()->showMessage(tip.isEmpty() ? QString("Ready") : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::OnToggleExplorer()
{
    m_wndExplorer->setVisible(!m_wndExplorer->isVisible());
}

void CMainFrame::OnViewStatusBar()
{
    const bool show = !statusBar()->isVisible();
    statusBar()->setVisible(show);
    for (const auto& [resource, menus] : m_menus) {
        for (QMenu* menu : menus) {
            for (QAction* action : menu->actions()) {
                if (CommandRouter::IdOf(action) == cmd::kViewStatusBar) {
                    action->setChecked(show);
                }
            }
        }
    }
}

void CMainFrame::OnNextPane()
{
    // Two panes take the keyboard: the explorer's tree in front and the form of
    // the active account window. Next and previous both lead to the other one.
    CChildFrame* child = ActiveChild();
    QWidget* tree = m_wndExplorer->CurrentTree();
    const QWidget* focus = QApplication::focusWidget();
    const bool inPane = focus != nullptr && m_wndExplorer->isAncestorOf(focus);
    if (child != nullptr && (inPane || tree == nullptr || !tree->isVisible())) {
        child->View().FocusForm();
        return;
    }
    if (tree != nullptr && tree->isVisible()) {
        tree->setFocus(Qt::OtherFocusReason);
    }
}

void CMainFrame::OnCopyField(int copyCommand)
{
    CChildFrame* child = ActiveChild();
    if (child == nullptr) {
        return;
    }
    // What the form's boxes hold: the account as shown, with what was typed since.
    const FormBoxes boxes = child->View().ReadBoxes();
    switch (copyCommand) {
    case cmd::kCopyUserName:
        m_clipboard.CopyPlain(ToQString(boxes.userName), "User name");
        break;
    case cmd::kCopyPassword:
        m_clipboard.CopySecret(ToQString(boxes.password));
        break;
    case cmd::kCopyUrl:
        m_clipboard.CopyPlain(ToQString(boxes.url), "URL");
        break;
    default:
        break;
    }
}

void CMainFrame::OnGeneratePassword()
{
    // Without an account window there is no password box to take the password:
    // the dialog shows it to be copied from.
    PasswordGeneratorDialog dialog(false, this);
    dialog.exec();
}

void CMainFrame::OnHelp()
{
    OpenManual(m_app.Desktop(), m_app.GetFolders());
}

void CMainFrame::OnStyle8002()
{
    SetCurrentDisplayStyle(kStyleTinted);
    ApplyApplicationStyle(kStyleTinted);
    m_wndExplorer->SetDisplayStyle(kStyleTinted);
}

void CMainFrame::OnStyle8001()
{
    SetCurrentDisplayStyle(kStyleLight);
    m_wndExplorer->SetDisplayStyle(kStyleLight);
    ApplyApplicationStyle(kStyleLight);
    update();
}

bool CMainFrame::Handles(int id) const
{
    constexpr int kCommands[] = {cmd::kEditPaste,     cmd::kStyle8002,       cmd::kStyle8001,   cmd::kToggleExplorer,
                                 cmd::kHelpIndex,     cmd::kHelpFinder,      cmd::kDefaultHelp, cmd::kContextHelp,
                                 cmd::kViewStatusBar, cmd::kAppExit,         cmd::kNextPane,    cmd::kPrevPane,
                                 cmd::kFind,          cmd::kGeneratePassword};
    // The copies need an account window, whose form they copy from.
    if ((id == cmd::kCopyUserName || id == cmd::kCopyPassword || id == cmd::kCopyUrl) && ActiveChild() != nullptr) {
        return true;
    }
    return std::find(std::begin(kCommands), std::end(kCommands), id) != std::end(kCommands);
}

bool CMainFrame::OnCommand(int id)
{
    switch (id) {
    case cmd::kEditPaste:
        // Paste is always available; without an account window it does nothing.
        return true;
    case cmd::kStyle8002:
        OnStyle8002();
        return true;
    case cmd::kStyle8001:
        OnStyle8001();
        return true;
    case cmd::kToggleExplorer:
        OnToggleExplorer();
        return true;
    case cmd::kHelpIndex:
    case cmd::kHelpFinder:
    case cmd::kDefaultHelp:
        OnHelp();
        return true;
    case cmd::kContextHelp:
        QWhatsThis::enterWhatsThisMode();
        return true;
    case cmd::kViewStatusBar:
        OnViewStatusBar();
        return true;
    case cmd::kAppExit:
        close();
        return true;
    case cmd::kNextPane:
    case cmd::kPrevPane:
        OnNextPane();
        return true;
    case cmd::kFind:
        m_wndExplorer->FocusFind();
        return true;
    case cmd::kCopyUserName:
    case cmd::kCopyPassword:
    case cmd::kCopyUrl:
        OnCopyField(id);
        return true;
    case cmd::kGeneratePassword:
        OnGeneratePassword();
        return true;
    default:
        return false;
    }
}

} // namespace lk
