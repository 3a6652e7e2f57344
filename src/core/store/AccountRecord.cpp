#include "core/store/AccountRecord.h"

namespace lk {

bool AccountRecord::CopyFrom(const AccountRecord& source)
{
    AuxText = source.AuxText;
    AccountName = source.AccountName;
    FileStem = source.FileStem;
    Url = source.Url;
    Aux64 = source.Aux64;
    SlotCount = source.SlotCount;
    Kind = source.Kind;
    UseCount = source.UseCount;
    for (std::size_t i = 0; i < source.SlotsInUse(); ++i) {
        Slots[i] = source.Slots[i];
    }
    Comment = source.Comment;
    return true;
}

bool IsSameAccount(const AccountRecord& a, const AccountRecord& b)
{
    if (a.AuxText != b.AuxText || a.AccountName != b.AccountName || a.Url != b.Url || a.Aux64 != b.Aux64 ||
        a.SlotCount != b.SlotCount || a.Kind != b.Kind) {
        return false;
    }
    for (std::size_t i = 0; i < a.SlotsInUse(); ++i) {
        const FieldSlot& x = a.Slots[i];
        const FieldSlot& y = b.Slots[i];
        if (x.Flag != y.Flag || x.Name != y.Name || x.Label != y.Label || x.Value != y.Value) {
            return false;
        }
    }
    return a.Comment == b.Comment;
}

} // namespace lk
