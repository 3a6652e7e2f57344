#pragma once

#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/CommandTarget.h"
#include "gui/toolkit/LockKeys.h"
#include "gui/toolkit/SecretClipboard.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <optional>

class QLabel;
class QMdiArea;
class QMenu;
class QMenuBar;

namespace lk {

class CChildFrame;
class CExplorerBar;
class CReaderApp;

// The main window: the menu bar (the main window's menu while no account
// window is active, the account window's otherwise), the banner along the top,
// the "Account Explorer" pane docked on the left, the account windows as
// maximised tabs, and the status bar with "Ready" and the menus' prompts.
class CMainFrame : public QMainWindow, public CommandTarget
{
    Q_OBJECT

public:
    explicit CMainFrame(CReaderApp& app);
    ~CMainFrame() override;

    // Creates the window: the size of the first show, then OnCreate. False when
    // the program is to end (the update check asked for it, or a part failed).
    bool LoadFrame();
    bool OnCommand(int id) override;
    [[nodiscard]] bool Handles(int id) const override;

    void OnToggleExplorer();
    void OnHelp();
    // Moves the keyboard focus between the explorer's tree and the form.
    void OnNextPane();
    void OnStyle8001();
    void OnStyle8002();
    void OnViewStatusBar();
    // Copies a field of the account in the active form (Tools menu).
    void OnCopyField(int copyCommand);
    void OnGeneratePassword();

    CommandRouter& Router() { return m_router; }
    CExplorerBar* ExplorerBar() const { return m_wndExplorer; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QWidget* Banner() const { return m_wndBanner; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    SecretClipboard& Clipboard() { return m_clipboard; }
    // The account window in front, or null.
    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;
    // Takes a new account window in as a maximised tab and brings it to the front.
    void AddChild(CChildFrame* child);
    void ActivateChild(CChildFrame* child);

    // The menu resource on show (128 or 129), the pop-ups of a resource, and
    // the accelerators.
    int ShownMenu() const { return m_shownMenu; }
    QList<QMenu*> Menus(int resourceId) const;
    QList<QAction*> Accelerators() const { return m_accelerators; }

    // Shows the window for the first time: as large as the user left it at the
    // last start, or, the first time, large enough for the pane and the whole
    // account form at the font in use (never smaller than 620 x 440).
    void ShowFirstTime();

    // Where the status bar's CAP, NUM and SCRL indicators read the lock keys;
    // tests give their own. The indicators follow at once and then every moment.
    using LockKeyReader = std::function<std::optional<LockKeyState>()>;
    void SetLockKeyReader(LockKeyReader reader);
    void UpdateIndicators();

    // The title as the window shows it: "LedgerKeeper - " and the active
    // account window's title.
    void UpdateFrameTitle();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    int OnCreate();
    void BuildMenus();
    void BuildAccelerators();
    void ShowMenu(int resourceId);
    void InitStatusBar();
    void CreateBanner();
    void OnActiveChildChanged();
    void ScheduleTitleUpdate();
    // The size at which the pane and the active account form show whole.
    QSize FittingSize() const;
    // Grows the window by what the active form still lacks once laid out.
    void GrowToFitForm();
    bool RestoreLayout();
    void SaveLayout() const;

    CReaderApp& m_app;
    CommandRouter m_router;
    SecretClipboard m_clipboard;
    CExplorerBar* m_wndExplorer = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_wndBanner = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    std::map<int, QList<QMenu*>> m_menus;
    QList<QAction*> m_accelerators;
    QAction* m_statusBarAction = nullptr;
    int m_shownMenu = 0;
    // The display style the frame starts with.
    int m_frameStyle = 0;
    bool m_titleUpdatePending = false;
    LockKeyReader m_lockKeys = ReadLockKeys;
};

} // namespace lk
