#include "core/transfer/PrintingListing.h"

#include "core/platform/PrivateFile.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountList.h"
#include "core/transfer/TransferText.h"

#include <algorithm>
#include <system_error>

namespace lk {
namespace {

constexpr std::u16string_view kHead = u"\r\n=== LedgerKeeper Account List Start ===\r\n\r\n";
constexpr std::u16string_view kSeparator = u"\r\n----------------------------------------------\r\n";
constexpr std::u16string_view kTail = u"\r\n\r\n=== LedgerKeeper Account List End ===\r\n\r\n";

// An account without a slot in use still shows its password line.
std::size_t ListedSlots(const AccountRecord& record)
{
    return std::clamp<std::size_t>(record.SlotCount, 1, kSlotCount);
}

void AppendBlock(std::u16string& listing, const AccountRecord& record)
{
    listing += kSeparator;
    listing += u"Account Name:\t";
    listing += record.AccountName.view();
    listing += u"\r\nAccount URL:\t";
    listing += FromEightBit(record.Url.view());
    for (std::size_t i = 0; i < ListedSlots(record); ++i) {
        const FieldSlot& slot = record.Slots[i];
        listing += u"\r\n";
        listing += FromEightBit(slot.Label.view());
        listing += u":\t";
        listing += FromEightBit(slot.Value.view());
    }
    listing += u"\r\nAccount Note:     ";
    listing += record.Comment.view();
    listing += u"\r\n";
}

} // namespace

std::u16string PrintingListing(const AccountList& list)
{
    std::u16string listing(kHead);
    for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
        const AccountRecord* record = list.GetAt(i);
        if (record != nullptr && IsTransferred(*record)) {
            AppendBlock(listing, *record);
        }
    }
    listing += kTail;
    return listing;
}

} // namespace lk
