#include "gui/shell/WindowLock.h"

#include "core/document/CReaderDoc.h"
#include "core/protect/ProtectionKeyFile.h"
#include "gui/editor/CReaderView.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/shell/CChildFrame.h"
#include "gui/shell/CMainFrame.h"
#include "gui/shell/CReaderApp.h"
#include "gui/shell/QtUpdateSettings.h"
#include "gui/shell/StoreUnlock.h"

#include <QApplication>
#include <QSettings>
#include <algorithm>

namespace lk {
namespace {

// A timer counts its interval in milliseconds in an int: a little over 35,000 minutes.
constexpr int kMostIdleMinutes = 35000;

} // namespace

std::chrono::milliseconds WindowLock::IdleTimeFromSettings()
{
    QSettings settings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication);
    bool ok = false;
    int minutes = settings.value(kIdleMinutesKey, kDefaultIdleMinutes).toInt(&ok);
    if (!ok || minutes < 0) {
        minutes = kDefaultIdleMinutes;
    }
    return std::chrono::minutes(std::min(minutes, kMostIdleMinutes));
}

WindowLock::WindowLock(CReaderApp& app, std::chrono::milliseconds idleTime) : m_app(app)
{
    QObject::connect(&m_idle, &IdleWatch::Idle, &m_idle, [this] { OnIdle(); });
    m_idle.SetInterval(idleTime);
}

bool WindowLock::CanLock() const
{
    return !m_locked && m_app.MainFrame() != nullptr && m_app.HoldsStoreKey() &&
           ProtectionKeyFile::ExistsIn(m_app.GetFolders().data);
}

void WindowLock::OnIdle()
{
    if (!CanLock()) {
        return;
    }
    if (QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) {
        m_idle.Restart();
        return;
    }
    Lock();
}

bool WindowLock::Lock()
{
    if (!CanLock()) {
        return false;
    }
    m_locked = true;
    EmptyWindows();
    StoreUnlocking unlocking = UnlockStoreForWindow(m_app.GetFolders().data, m_app.UnlockPrompt(), m_app.Desktop());
    if (!unlocking.unlocked) {
        // Locked it stays: the program ends with the window.
        m_app.MainFrame()->close();
        return false;
    }
    m_app.UseStoreKey(std::move(unlocking.key));
    FillWindows();
    m_locked = false;
    m_idle.Restart();
    return true;
}

void WindowLock::EmptyWindows()
{
    CMainFrame& frame = *m_app.MainFrame();
    const QList<CChildFrame*> children = frame.Children();
    // The forms let go of their accounts, as after a Save.
    for (CChildFrame* child : children) {
        child->View().OnInitialUpdate();
    }
    // The trees are rebuilt from no account at all: only their roots remain,
    // and no item refers to a record of any list.
    if (CExplorerBar* pane = frame.ExplorerBar()) {
        AccountList none;
        pane->FillFrequencyTree(none);
        pane->FillAlphabetTree(none);
    }
    // Only now may the lists free their records.
    for (CChildFrame* child : children) {
        child->Document().Accounts().Clear();
    }
    m_app.UseStoreKey(std::nullopt);
    frame.Clipboard().ClearIfUnchanged();
    frame.Router().UpdateActions();
}

void WindowLock::FillWindows()
{
    CMainFrame& frame = *m_app.MainFrame();
    // Oldest first: the newest document's refresh comes last, and its list is
    // the one the trees show, as at every refresh.
    for (CChildFrame* child : frame.Children()) {
        child->Document().RefreshAccounts();
    }
    if (CChildFrame* active = frame.ActiveChild()) {
        active->View().FocusForm();
    }
    frame.Router().UpdateActions();
}

} // namespace lk
