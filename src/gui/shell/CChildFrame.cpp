#include "gui/shell/CChildFrame.h"

#include "core/document/CReaderDoc.h"
#include "gui/editor/CReaderView.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/shell/DocumentCommands.h"
#include "gui/toolkit/QtText.h"

#include <QIcon>

namespace lk {

CChildFrame::CChildFrame(DocumentContext context, CommandRouter& router, QWidget* parent)
    : QMdiSubWindow(parent), m_document(std::make_unique<CReaderDoc>(std::move(context))),
      m_documentCommands(std::make_unique<DocumentCommands>(*m_document))
{
    setObjectName("AccountWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(":/ledgerkeeper/icons/ledgerkeeper-16.png"));
    // No system menu: the tab would offer it as a context menu, and its Close
    // would answer Ctrl+W; the account window closes with its tab's button and
    // Ctrl+F4 (the main window's).
    setSystemMenu(nullptr);
    m_view = new CReaderView(*m_document, router, this);
    setWidget(m_view);
    connect(m_view, &CReaderView::TitleChanged, this, &CChildFrame::ShowTitle);
    ShowTitle();
}

CChildFrame::~CChildFrame()
{
    // The form goes before its document, and the document before the trees are
    // made to refer to a document that lives on.
    delete m_view;
    m_view = nullptr;
    m_document.reset();
    if (g_pExplorerBar != nullptr) {
        if (g_pDocument != nullptr) {
            g_pExplorerBar->RefillFrom(*g_pDocument);
        } else {
            g_pExplorerBar->ForgetRecords();
        }
    }
}

CommandTarget& CChildFrame::DocumentTarget() const
{
    return *m_documentCommands;
}

void CChildFrame::ShowTitle()
{
    setWindowTitle(ToQString(m_document->GetTitle()));
    emit TitleChanged();
}

} // namespace lk
