#include "gui/shell/CDocTemplate.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/UserName.h"
#include "gui/editor/CReaderView.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/shell/CChildFrame.h"
#include "gui/shell/CMainFrame.h"

namespace lk {

CChildFrame* CDocTemplate::OpenNewDocument(CMainFrame& frame)
{
    DocumentContext context{m_folders, CurrentUserName(), &m_desktop, g_pExplorerBar};
    auto* child = new CChildFrame(std::move(context), frame.Router());
    frame.AddChild(child);
    if (m_storeKey) {
        child->Document().UseStoreKey(m_storeKey->Copy());
    }
    if (!child->Document().OnNewDocument()) {
        delete child;
        return nullptr;
    }
    child->View().OnInitialUpdate();
    frame.ActivateChild(child);
    child->View().FocusForm();
    return child;
}

} // namespace lk
