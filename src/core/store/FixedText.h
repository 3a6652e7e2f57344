#pragma once

#include "core/platform/TextConversion.h"
#include "core/store/TextBlock.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lk {

// 8-bit text of a fixed capacity, counted in bytes with the terminating zero, as
// the account record holds it. Whatever is assigned is cut to fit, never inside a
// UTF-8 sequence, so no write can pass the capacity. The capacity is a limit of
// the data model, not a size in memory: the text takes only the room it needs.
template <std::size_t Capacity> class FixedText
{
    static_assert(Capacity >= 1 && Capacity - 1 <= TextBlock<char>::kMostUnits);

public:
    static constexpr std::size_t kCapacity = Capacity;
    static constexpr std::size_t kMostBytes = Capacity - 1;

    FixedText() = default;
    FixedText(std::string_view text) { Assign(text); } // NOLINT(google-explicit-constructor)

    FixedText& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }

    // True when `text` fits whole.
    static bool Fits(std::string_view text) { return text.size() <= kMostBytes; }

    void Assign(std::string_view text)
    {
        // A zero ends the text, as it does in the files the record comes from.
        text = text.substr(0, text.find('\0'));
        bytes_.Replace(CutEightBit(text, kMostBytes));
    }

    std::string_view view() const { return bytes_.View(); }
    std::string str() const { return std::string(view()); }
    bool empty() const { return size() == 0; }
    std::size_t size() const { return bytes_.Length(); }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }

private:
    TextBlock<char> bytes_;
};

// UTF-16 text of a fixed capacity, counted in units with the terminating zero.
// Assigned text is cut to fit, never between the halves of a surrogate pair.
// As with FixedText, the capacity limits the text, not the memory it takes.
template <std::size_t Capacity> class FixedWideText
{
    static_assert(Capacity >= 1 && Capacity - 1 <= TextBlock<char16_t>::kMostUnits);

public:
    static constexpr std::size_t kCapacity = Capacity;
    static constexpr std::size_t kMostUnits = Capacity - 1;

    FixedWideText() = default;
    FixedWideText(std::u16string_view text) { Assign(text); } // NOLINT(google-explicit-constructor)

    FixedWideText& operator=(std::u16string_view text)
    {
        Assign(text);
        return *this;
    }

    void Assign(std::u16string_view text)
    {
        text = text.substr(0, text.find(u'\0'));
        units_.Replace(CutWide(text, kMostUnits));
    }

    std::u16string_view view() const { return units_.View(); }
    std::u16string str() const { return std::u16string(view()); }
    bool empty() const { return size() == 0; }
    std::size_t size() const { return units_.Length(); }

    friend bool operator==(const FixedWideText& a, const FixedWideText& b) { return a.view() == b.view(); }

private:
    TextBlock<char16_t> units_;
};

} // namespace lk
