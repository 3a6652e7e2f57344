#pragma once

#include "core/platform/Folders.h"

namespace lk {

class CChildFrame;
class CMainFrame;
class DesktopPort;

// Ties the document, the account window and the form together: every new
// document gets an account window in the main window with its form inside.
class CDocTemplate
{
public:
    CDocTemplate(Folders folders, DesktopPort& desktop) : m_folders(std::move(folders)), m_desktop(desktop) {}

    // Makes the document and its window, runs the document's new-document step
    // (which fills the explorer) and then the form's initial update, and brings
    // the window to the front. Null when the new-document step failed.
    CChildFrame* OpenNewDocument(CMainFrame& frame);

private:
    Folders m_folders;
    DesktopPort& m_desktop;
};

} // namespace lk
