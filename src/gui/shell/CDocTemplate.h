#pragma once

#include "core/platform/Folders.h"
#include "core/protect/StoreKey.h"

#include <optional>

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

    // The data key of an unlocked protected store: every document made from
    // now on holds a copy of it. None for a store that is not protected.
    void UseStoreKey(std::optional<StoreKey> key) { m_storeKey = std::move(key); }
    const StoreKey* GetStoreKey() const { return m_storeKey ? &*m_storeKey : nullptr; }

private:
    Folders m_folders;
    DesktopPort& m_desktop;
    std::optional<StoreKey> m_storeKey;
};

} // namespace lk
