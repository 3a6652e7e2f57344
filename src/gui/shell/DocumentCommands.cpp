#include "gui/shell/DocumentCommands.h"

#include "core/document/CReaderDoc.h"
#include "gui/shell/HelpManual.h"
#include "gui/toolkit/CommandIds.h"

namespace lk {

bool DocumentCommands::Handles(int id) const
{
    return id == cmd::kImport || id == cmd::kExport || id == cmd::kExportCsv || id == cmd::kPrintingFormat ||
           id == cmd::kHelpIndex;
}

bool DocumentCommands::OnCommand(int id)
{
    switch (id) {
    case cmd::kImport:
        m_document.OnImport();
        return true;
    case cmd::kExport:
        m_document.OnExport();
        return true;
    case cmd::kExportCsv:
        m_document.OnExportCsv();
        return true;
    case cmd::kPrintingFormat:
        m_document.OnPrintingFormat();
        return true;
    case cmd::kHelpIndex:
        OnDocHelp();
        return true;
    default:
        return false;
    }
}

void DocumentCommands::OnDocHelp()
{
    OpenManual(m_document.Desktop(), m_document.GetFolders());
}

} // namespace lk
