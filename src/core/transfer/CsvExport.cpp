#include "core/transfer/CsvExport.h"

#include "core/platform/TextConversion.h"
#include "core/store/AccountList.h"
#include "core/transfer/CsvWriter.h"
#include "core/transfer/TransferText.h"

namespace lk {
namespace {

std::string_view ShownSlot(const AccountRecord& record, std::size_t slot)
{
    return slot < record.SlotsInUse() ? record.Slots[slot].Value.view() : std::string_view();
}

} // namespace

std::string CsvExportText(const AccountList& list)
{
    CsvWriter writer;
    writer.WriteRow({"name", "url", "username", "password", "note"});
    for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
        const AccountRecord* record = list.GetAt(i);
        if (record == nullptr || !IsTransferred(*record)) {
            continue;
        }
        writer.WriteRow({ToEightBit(record->AccountName.view()), record->Url.view(), ShownSlot(*record, kUserNameSlot),
                         ShownSlot(*record, kPasswordSlot), ToEightBit(record->Comment.view())});
    }
    return writer.Text();
}

} // namespace lk
