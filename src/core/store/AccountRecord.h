#pragma once

#include "core/store/FixedText.h"

#include <array>
#include <cstdint>

namespace lk {

// One login field of an account. Slot 0 holds the password, slot 1 the user
// name, slot 2 the account ID; slot 3 is only carried along.
struct FieldSlot
{
    std::int32_t Flag = 0;
    FixedText<128> Name;
    FixedText<64> Label;
    FixedText<64> Value;
};

inline constexpr std::size_t kSlotCount = 4;
inline constexpr std::size_t kPasswordSlot = 0;
inline constexpr std::size_t kUserNameSlot = 1;
inline constexpr std::size_t kAccountIdSlot = 2;

// Kind of a record saved from the form, and of a hidden record that is never
// listed, exported, printed or imported, and that the ordering passes leave in place.
inline constexpr std::int32_t kKindSaved = 9;
inline constexpr std::int32_t kKindHidden = 10;

// One account in memory. Every field has a fixed capacity: the limits of the data
// model that account files, the form and the transfer formats all keep to.
class AccountRecord
{
public:
    FixedWideText<128> AuxText;
    FixedWideText<128> AccountName;
    FixedText<512> Url;
    FixedText<32> Aux32;
    FixedText<28> FileStem;
    FixedText<4> Aux4;
    std::int32_t SortIndex = 0;
    // Stored as unsigned so that Login's count wraps instead of overflowing;
    // the account line carries it as a signed number.
    std::uint32_t UseCount = 0;
    std::int32_t Kind = 0;
    FixedText<64> Aux64;
    // Always 0 to 4: a line that says more is read as 4.
    std::uint32_t SlotCount = 0;
    std::array<FieldSlot, kSlotCount> Slots{};
    FixedWideText<512> Comment;

    // Copies the fields an edit carries: everything but Aux32, Aux4 and
    // SortIndex, and only the source's slots in use; the destination's slots
    // from the source's SlotCount on stay as they were.
    bool CopyFrom(const AccountRecord& source);

    bool IsHidden() const { return Kind == kKindHidden; }
    std::size_t SlotsInUse() const { return SlotCount < kSlotCount ? SlotCount : kSlotCount; }
};

// The duplicate test of the import: exact comparison of AuxText, AccountName,
// Url, Aux64, SlotCount, Kind, the slots in use and Comment. FileStem,
// UseCount, SortIndex, Aux32, Aux4 and the slots beyond the count do not count.
bool IsSameAccount(const AccountRecord& a, const AccountRecord& b);

} // namespace lk
