#pragma once

#include "core/protect/SecretBuffer.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace lk {

// What deriving the wrapping key from a master password costs: Argon2id's
// number of passes over its memory, and the memory itself. A key file stores the
// cost it was made with, so the same cost is paid at every unlock.
struct KeyDerivationCost
{
    // The memory every key file made for use holds: 256 MiB.
    static constexpr std::uint64_t kMemory = 256ULL << 20;
    // Bounds a stored cost must keep. The upper ones keep a damaged key file from
    // asking for gigabytes or for minutes; the passes tuned for use stay inside.
    static constexpr std::uint64_t kLeastPasses = 1;
    static constexpr std::uint64_t kMostPasses = 64;
    static constexpr std::uint64_t kLeastMemory = 8ULL << 10;
    static constexpr std::uint64_t kMostMemory = 1ULL << 30;
    // The fewest passes that tuning settles on, however slow the machine.
    static constexpr std::uint64_t kLeastTunedPasses = 2;

    std::uint64_t passes = kLeastTunedPasses;
    std::uint64_t memory = kMemory;

    // The cost for a new key file on this machine: 256 MiB, and as many passes
    // as take about `target` here (measured once, with one pass).
    static KeyDerivationCost Tuned(std::chrono::milliseconds target = std::chrono::milliseconds(1000));
    // The same, with the time of one pass at 256 MiB measured by `onePass`.
    static KeyDerivationCost TunedWith(const std::function<std::chrono::nanoseconds()>& onePass,
                                       std::chrono::milliseconds target);
    // The cheapest cost a key file may carry. Only tests make key files with it,
    // so that they run in microseconds.
    static constexpr KeyDerivationCost Least() { return {kLeastPasses, kLeastMemory}; }

    // Within the bounds above.
    bool Acceptable() const;

    bool operator==(const KeyDerivationCost&) const = default;
};

inline constexpr std::size_t kSaltSize = 16;
inline constexpr std::size_t kDerivedKeySize = 32;

// Argon2id of `password` with `salt` at `cost`: the 32-byte key that wraps the
// data key. Nothing when the cost is out of bounds or the memory can't be had.
std::optional<SecretBuffer> DeriveWrappingKey(const SecretBuffer& password,
                                              const std::array<std::uint8_t, kSaltSize>& salt, KeyDerivationCost cost);

} // namespace lk
