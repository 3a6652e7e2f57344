#pragma once

#include "core/platform/Folders.h"
#include "gui/shell/StoreUnlock.h"
#include "gui/toolkit/CommandTarget.h"

#include <functional>
#include <memory>
#include <optional>

namespace lk {

class CChildFrame;
class CDocTemplate;
class CMainFrame;
class DesktopPort;
class PrintSettings;
class QtDesktopPort;

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
};

// The application: its start, and the commands it answers itself (New, Open,
// Print Setup, About).
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
};

} // namespace lk
