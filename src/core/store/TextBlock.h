#pragma once

#include "core/platform/WipeMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace lk {

// The storage behind a fixed-capacity field: the text's units in one block on
// the heap, its length in front of them, and no block at all while the text is
// empty. A record carries twenty such fields, most of them short or empty, so
// this keeps a record at a few hundred bytes however large its capacities are.
// The block is wiped before it is given back: the fields hold passwords.
template <class Unit> class TextBlock
{
public:
    // Lengths are held in 16 bits: every capacity of the data model is far below.
    static constexpr std::size_t kMostUnits = 0xFFFF;

    TextBlock() noexcept = default;
    TextBlock(const TextBlock& other) { Replace(other.View()); }
    TextBlock(TextBlock&& other) noexcept = default;
    TextBlock& operator=(const TextBlock& other)
    {
        if (this != &other) {
            Replace(other.View());
        }
        return *this;
    }
    TextBlock& operator=(TextBlock&& other) noexcept
    {
        if (this != &other) {
            Wipe();
            block_ = std::move(other.block_);
        }
        return *this;
    }
    ~TextBlock() { Wipe(); }

    std::basic_string_view<Unit> View() const noexcept
    {
        if (!block_) {
            return std::basic_string_view<Unit>(kNothing);
        }
        return {block_.get() + kLengthUnits, Length()};
    }

    std::size_t Length() const noexcept
    {
        if (!block_) {
            return 0;
        }
        std::uint16_t length = 0;
        std::memcpy(&length, block_.get(), sizeof length);
        return length;
    }

    // Holds `units` from now on (at most kMostUnits of them; the caller cuts).
    // `units` may be a view of this very block: it is copied before the old
    // block goes.
    void Replace(std::basic_string_view<Unit> units)
    {
        units = units.substr(0, std::min(units.size(), kMostUnits));
        std::unique_ptr<Unit[]> block;
        if (!units.empty()) {
            block = std::make_unique_for_overwrite<Unit[]>(kLengthUnits + units.size());
            const auto length = static_cast<std::uint16_t>(units.size());
            std::memcpy(block.get(), &length, sizeof length);
            std::copy(units.begin(), units.end(), block.get() + kLengthUnits);
        }
        Wipe();
        block_ = std::move(block);
    }

private:
    static_assert(sizeof(std::uint16_t) % sizeof(Unit) == 0);
    static constexpr std::size_t kLengthUnits = sizeof(std::uint16_t) / sizeof(Unit);
    static constexpr Unit kNothing[1] = {};

    void Wipe() noexcept
    {
        if (block_) {
            WipeMemory(block_.get(), (kLengthUnits + Length()) * sizeof(Unit));
        }
    }

    std::unique_ptr<Unit[]> block_;
};

} // namespace lk
