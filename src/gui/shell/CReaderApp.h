#pragma once

#include "core/platform/Folders.h"
#include "core/protect/KeyDerivationCost.h"
#include "core/protect/StoreKey.h"
#include "gui/shell/StoreUnlock.h"
#include "gui/toolkit/CommandTarget.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace lk {

class CChildFrame;
class CDocTemplate;
class CMainFrame;
class DesktopPort;
class PrintSettings;
class ProtectionCommands;
class QtDesktopPort;
class WindowLock;

// What the application is built with. Everything has the program's default;
// tests give their own desktop, folders and update check.
struct AppOptions
{
    // The desktop the program asks and tells through; null for Qt's.
    DesktopPort* desktop = nullptr;
    // The product folder with its data and program folders; none for this user's.
    std::optional<Folders> folders;
    // The update check that the main window's creation runs first; false ends
    // the program before any window is shown. None for the check over the network.
    std::function<bool(DesktopPort&)> updateCheck;
    // Asks for the master password of a protected store; none for the unlock dialog.
    MasterPasswordPrompt masterPassword;
    // How long the program may be left alone before a protected store locks;
    // none for the minutes of the settings.
    std::optional<std::chrono::milliseconds> idleLock;
    // The cost of a new key file; none for the cost tuned on this machine.
    std::function<KeyDerivationCost()> keyDerivationCost;
};

// The application: its start, and the commands it answers itself (New, Open,
// Print Setup, About, and the store's Lock and protection commands).
class CReaderApp : public CommandTarget
{
public:
    explicit CReaderApp(AppOptions options = {});
    ~CReaderApp() override;
    CReaderApp(const CReaderApp&) = delete;
    CReaderApp& operator=(const CReaderApp&) = delete;

    // The start: settings, the document template, the main window with its
    // first account window. False when the program is to end at once.
    bool InitInstance();

    bool OnCommand(int id) override;
    [[nodiscard]] bool Handles(int id) const override;
    // A further document with its account window; null when it could not be made.
    CChildFrame* OnFileNew();
    // Open reads an account text file, which is the import.
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppAbout();

    // Runs the update check of the main window's creation.
    bool RunUpdateCheck();

    // The data key of an unlocked protected store, or none: every open document
    // and every document made from now on holds a copy of it.
    void UseStoreKey(std::optional<StoreKey> key);
    bool HoldsStoreKey() const;
    // Asks for the master password of a protected store once.
    const MasterPasswordPrompt& UnlockPrompt() const { return m_options.masterPassword; }
    // The cost of a key file made now.
    KeyDerivationCost NewKeyCost() const;
    // The lock of a started program, or null.
    WindowLock* Lock() const { return m_lock.get(); }

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    DesktopPort& Desktop() const { return *m_desktop; }
    const Folders& GetFolders() const { return m_folders; }
    PrintSettings& Printing() const { return *m_printing; }

private:
    AppOptions m_options;
    Folders m_folders;
    std::unique_ptr<PrintSettings> m_printing;
    std::unique_ptr<QtDesktopPort> m_qtDesktop;
    DesktopPort* m_desktop = nullptr;
    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<WindowLock> m_lock;
    std::unique_ptr<ProtectionCommands> m_protection;
};

} // namespace lk
