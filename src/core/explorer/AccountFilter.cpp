#include "core/explorer/AccountFilter.h"

#include "core/platform/CaseFolding.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountRecord.h"

#include <algorithm>

namespace lk {

AccountFilter::AccountFilter(std::u16string_view text) : m_folded(FoldCase(text)) {}

bool AccountFilter::Contains(std::u16string_view text) const
{
    // Folding can only lengthen a text by a few units per character, so a text
    // shorter than a third of the folded filter can never contain it.
    if (text.size() * 3 < m_folded.size()) {
        return false;
    }
    return FoldCase(text).find(m_folded) != std::u16string::npos;
}

bool AccountFilter::Matches(const AccountRecord& record) const
{
    if (IsEmpty()) {
        return true;
    }
    if (Contains(record.AccountName.view())) {
        return true;
    }
    if (Contains(FromEightBit(record.Url.view()))) {
        return true;
    }
    // SlotCount is compared as an unsigned number, as every walk of the slots does.
    return kUserNameSlot < record.SlotCount && Contains(FromEightBit(record.Slots[kUserNameSlot].Value.view()));
}

std::vector<AccountRecord*> AccountFilter::Apply(const std::vector<AccountRecord*>& accounts) const
{
    if (IsEmpty()) {
        return accounts;
    }
    std::vector<AccountRecord*> matching;
    std::copy_if(accounts.begin(), accounts.end(), std::back_inserter(matching),
                 [this](const AccountRecord* record) { return record != nullptr && Matches(*record); });
    return matching;
}

} // namespace lk
