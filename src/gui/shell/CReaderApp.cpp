#include "gui/shell/CReaderApp.h"

#include "core/document/CReaderDoc.h"
#include "gui/shell/CAboutDlg.h"
#include "gui/shell/CChildFrame.h"
#include "gui/shell/CDocTemplate.h"
#include "gui/shell/CMainFrame.h"
#include "gui/shell/PrivateSettings.h"
#include "gui/shell/ProtectionCommands.h"
#include "gui/shell/QtUpdateCheck.h"
#include "gui/shell/UnlockDialog.h"
#include "gui/shell/WindowLock.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/PrintSettings.h"
#include "gui/toolkit/QtDesktopPort.h"
#include "gui/toolkit/Resources.h"

#include <QApplication>
#include <QIcon>

namespace lk {

CReaderApp::CReaderApp(AppOptions options)
    : m_options(std::move(options)), m_folders(m_options.folders ? *m_options.folders : Folders::ForThisUser()),
      m_printing(std::make_unique<PrintSettings>())
{
    InitResources();
    if (m_options.desktop != nullptr) {
        m_desktop = m_options.desktop;
    } else {
        m_qtDesktop = std::make_unique<QtDesktopPort>(*m_printing);
        m_qtDesktop->SetOwnerLookup([this](DesktopPort::Owner owner) -> QWidget* {
            return owner == DesktopPort::Owner::None ? nullptr : m_mainFrame.get();
        });
        m_desktop = m_qtDesktop.get();
    }
    if (!m_options.updateCheck) {
        m_options.updateCheck = [](DesktopPort& desktop) { return RunStartupUpdateCheck(desktop); };
    }
    if (!m_options.masterPassword) {
        m_options.masterPassword = [] { return UnlockDialog::Ask(nullptr); };
    }
    if (!m_options.keyDerivationCost) {
        m_options.keyDerivationCost = [] { return KeyDerivationCost::Tuned(); };
    }
    m_protection = std::make_unique<ProtectionCommands>(*this);
}

CReaderApp::~CReaderApp()
{
    m_lock.reset();
    m_mainFrame.reset();
}

bool CReaderApp::InitInstance()
{
    // The per-user settings (the recent files, the update check's time) live under
    // this key, where the program has always kept them.
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("LedgerKeeper");
    // No display name: the toolkit would append it to every window's title, and
    // the titles and captions are the program's own ("LedgerKeeper - Warning").
    QApplication::setWindowIcon(QIcon(":/ledgerkeeper/icons/ledgerkeeper-48.png"));
    // Before the update check writes its time there: owner-only, whatever the umask.
    MakeSettingsPrivate();

    m_pDocTemplate = std::make_unique<CDocTemplate>(m_folders, *m_desktop);

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    if (!m_mainFrame->LoadFrame()) {
        m_mainFrame.reset();
        return false;
    }
    // A protected store opens before the first document loads its accounts;
    // without its master password the program ends.
    StoreUnlocking unlocking = UnlockStoreForWindow(m_folders.data, m_options.masterPassword, *m_desktop);
    if (!unlocking.unlocked) {
        m_mainFrame.reset();
        return false;
    }
    m_pDocTemplate->UseStoreKey(std::move(unlocking.key));
    if (OnFileNew() == nullptr) {
        m_mainFrame.reset();
        return false;
    }
    // The first text has a trailing blank, as the program has always shown it;
    // the frame's own title update replaces it once an account window is active.
    m_mainFrame->setWindowTitle("LedgerKeeper ");
    m_mainFrame->ShowFirstTime();
    m_lock = std::make_unique<WindowLock>(*this, m_options.idleLock.value_or(WindowLock::IdleTimeFromSettings()));
    return true;
}

void CReaderApp::UseStoreKey(std::optional<StoreKey> key)
{
    if (m_mainFrame) {
        for (CChildFrame* child : m_mainFrame->Children()) {
            child->Document().UseStoreKey(key ? key->Copy() : std::nullopt);
        }
    }
    m_pDocTemplate->UseStoreKey(std::move(key));
}

bool CReaderApp::HoldsStoreKey() const
{
    return m_pDocTemplate && m_pDocTemplate->GetStoreKey() != nullptr;
}

KeyDerivationCost CReaderApp::NewKeyCost() const
{
    return m_options.keyDerivationCost();
}

bool CReaderApp::RunUpdateCheck()
{
    return m_options.updateCheck(*m_desktop);
}

CChildFrame* CReaderApp::OnFileNew()
{
    if (!m_mainFrame || !m_pDocTemplate) {
        return nullptr;
    }
    return m_pDocTemplate->OpenNewDocument(*m_mainFrame);
}

void CReaderApp::OnFileOpen()
{
    if (m_mainFrame->ActiveChild() == nullptr && OnFileNew() == nullptr) {
        return;
    }
    m_mainFrame->Router().Route(cmd::kImport);
}

void CReaderApp::OnFilePrintSetup()
{
    m_printing->RunPrintSetup(m_mainFrame.get());
}

void CReaderApp::OnAppAbout()
{
    CAboutDlg about(m_mainFrame.get());
    about.exec();
}

bool CReaderApp::Handles(int id) const
{
    if (id == cmd::kLock) {
        return m_lock && m_lock->CanLock();
    }
    return id == cmd::kAppAbout || id == cmd::kFileNew || id == cmd::kFileOpen || id == cmd::kFilePrintSetup ||
           m_protection->Handles(id);
}

bool CReaderApp::OnCommand(int id)
{
    switch (id) {
    case cmd::kLock:
        if (!m_lock || !m_lock->CanLock()) {
            return false;
        }
        m_lock->Lock();
        return true;
    case cmd::kProtectStore:
    case cmd::kChangeMasterPassword:
    case cmd::kRemoveProtection:
        return m_protection->OnCommand(id);
    case cmd::kAppAbout:
        OnAppAbout();
        return true;
    case cmd::kFileNew:
        OnFileNew();
        return true;
    case cmd::kFileOpen:
        OnFileOpen();
        return true;
    case cmd::kFilePrintSetup:
        OnFilePrintSetup();
        return true;
    default:
        return false;
    }
}

} // namespace lk
