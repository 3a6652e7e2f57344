#include "core/document/PlainTextWarning.h"

#include "core/document/CReaderDoc.h"
#include "core/ports/Captions.h"

namespace lk {

bool ConfirmPlainTextFile(CReaderDoc& document)
{
    if (!document.IsProtectedStore()) {
        return true;
    }
    return document.Desktop().AskYesNo(kPlainTextQuestion, kWarningCaption, DesktopPort::Owner::MainWindow);
}

} // namespace lk
