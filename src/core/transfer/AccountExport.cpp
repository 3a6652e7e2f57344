#include "core/transfer/AccountExport.h"

#include "core/platform/PrivateFile.h"
#include "core/store/AccountLine.h"
#include "core/store/AccountList.h"
#include "core/transfer/TransferText.h"

namespace lk {

std::u16string ExportText(const AccountList& list)
{
    std::u16string text;
    for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
        const AccountRecord* record = list.GetAt(i);
        if (record != nullptr && IsTransferred(*record)) {
            text += FormatAccountLine(*record);
        }
    }
    return text;
}

} // namespace lk
