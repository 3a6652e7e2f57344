#pragma once

#include "core/store/AccountRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lk::fuzz {

// The input read as UTF-16 little-endian units; an odd last byte is dropped, as
// the readers of the program's files drop it.
inline std::u16string UnitsOf(const std::uint8_t* data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return units;
}

// Stops the run with a finding that names what broke.
[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

inline void Require(bool condition, const char* what)
{
    if (!condition) {
        Fail(what);
    }
}

// Every field of the two records is the same; the first that differs is named.
inline void RequireSameRecord(const AccountRecord& a, const AccountRecord& b)
{
    Require(a.AuxText == b.AuxText, "AuxText differs");
    Require(a.AccountName == b.AccountName, "AccountName differs");
    Require(a.Url == b.Url, "Url differs");
    Require(a.Aux32 == b.Aux32, "Aux32 differs");
    Require(a.FileStem == b.FileStem, "FileStem differs");
    Require(a.Aux4 == b.Aux4, "Aux4 differs");
    Require(a.SortIndex == b.SortIndex, "SortIndex differs");
    Require(a.UseCount == b.UseCount, "UseCount differs");
    Require(a.Kind == b.Kind, "Kind differs");
    Require(a.Aux64 == b.Aux64, "Aux64 differs");
    Require(a.SlotCount == b.SlotCount, "SlotCount differs");
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const FieldSlot& x = a.Slots[i];
        const FieldSlot& y = b.Slots[i];
        Require(x.Flag == y.Flag, "a slot's Flag differs");
        Require(x.Name == y.Name, "a slot's Name differs");
        Require(x.Label == y.Label, "a slot's Label differs");
        Require(x.Value == y.Value, "a slot's Value differs");
    }
    Require(a.Comment == b.Comment, "Comment differs");
}

// The limits every record keeps, whatever it was read from.
inline void RequireWithinLimits(const AccountRecord& record)
{
    Require(record.SlotCount <= kSlotCount, "SlotCount above 4");
    Require(record.AuxText.view().find(u'\0') == std::u16string_view::npos, "a zero inside AuxText");
    Require(record.Comment.view().find(u'\0') == std::u16string_view::npos, "a zero inside Comment");
    const std::string_view stem = record.FileStem.view();
    Require(stem.find('/') == std::string_view::npos && stem.find('\\') == std::string_view::npos && stem != "." &&
                stem != "..",
            "a FileStem that leaves the data folder");
}

} // namespace lk::fuzz
