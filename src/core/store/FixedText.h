#pragma once

#include "core/platform/TextConversion.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lk {

// 8-bit text of a fixed capacity, counted in bytes with the terminating zero, as
// the account record holds it. Whatever is assigned is cut to fit, never inside a
// UTF-8 sequence, so no write can pass the capacity.
template <std::size_t Capacity> class FixedText
{
    static_assert(Capacity >= 1);

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
        const std::string_view kept = CutEightBit(text, kMostBytes);
        // Every byte past the text is zero: only the old text's tail needs clearing.
        if (kept.data() != bytes_.data()) {
            kept.copy(bytes_.data(), kept.size());
        }
        std::fill(bytes_.begin() + kept.size(), bytes_.begin() + std::max(size_, kept.size()), '\0');
        size_ = kept.size();
    }

    std::string_view view() const { return {bytes_.data(), size_}; }
    std::string str() const { return std::string(view()); }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }

private:
    std::array<char, Capacity> bytes_{};
    std::size_t size_ = 0;
};

// UTF-16 text of a fixed capacity, counted in units with the terminating zero.
// Assigned text is cut to fit, never between the halves of a surrogate pair.
template <std::size_t Capacity> class FixedWideText
{
    static_assert(Capacity >= 1);

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
        const std::u16string_view kept = CutWide(text, kMostUnits);
        if (kept.data() != units_.data()) {
            kept.copy(units_.data(), kept.size());
        }
        std::fill(units_.begin() + kept.size(), units_.begin() + std::max(size_, kept.size()), u'\0');
        size_ = kept.size();
    }

    std::u16string_view view() const { return {units_.data(), size_}; }
    std::u16string str() const { return std::u16string(view()); }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }

    friend bool operator==(const FixedWideText& a, const FixedWideText& b) { return a.view() == b.view(); }

private:
    std::array<char16_t, Capacity> units_{};
    std::size_t size_ = 0;
};

} // namespace lk
