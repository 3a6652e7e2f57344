#include "core/document/ExportCommand.h"

#include "core/document/CReaderDoc.h"
#include "core/document/PlainTextWarning.h"
#include "core/transfer/AccountExport.h"
#include "core/transfer/TransferText.h"

namespace lk {

TransferOutcome ExportAccounts(CReaderDoc& document)
{
    return ExportToChosenFile(document, ExportFileDialog(),
                              [](const AccountList& accounts) { return EncodeUtf16Le(ExportText(accounts)); });
}

void CReaderDoc::OnExport()
{
    if (!ConfirmPlainTextFile(*this)) {
        return;
    }
    // The handler has no result: every failure has been shown to the user.
    static_cast<void>(ExportAccounts(*this));
}

} // namespace lk
