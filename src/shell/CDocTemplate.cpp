#include "shell/CDocTemplate.h"

#include "editor/CReaderView.h"
#include "explorer/CExplorerBar.h"
#include "platform/UserName.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "store/CReaderDoc.h"

namespace lk {

CChildFrame* CDocTemplate::OpenNewDocument(CMainFrame& frame)
{
    DocumentContext context{m_folders, CurrentUserName(), &m_desktop, g_pExplorerBar};
    auto* child = new CChildFrame(std::move(context), frame.Router());
    frame.AddChild(child);
    if (!child->Document().OnNewDocument()) {
        delete child;
        return nullptr;
    }
    child->View().OnInitialUpdate();
    frame.ActivateChild(child);
    return child;
}

} // namespace lk
