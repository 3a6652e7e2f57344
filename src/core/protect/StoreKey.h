#pragma once

#include "core/protect/CoreDumps.h"
#include "core/protect/SecretBuffer.h"

#include <memory>
#include <optional>

namespace lk {

// The data key of an unlocked protected store, as the store holds it: in
// guarded memory, with core dumps blocked for as long as any store key lives.
// Destroying it wipes the key: that is what locking a store means.
class StoreKey
{
public:
    // Holds `dataKey`; nothing when it is not a data key (32 bytes).
    static std::optional<StoreKey> Hold(SecretBuffer dataKey);
    // A second holder of the same key, for a further document of the store.
    std::optional<StoreKey> Copy() const;

    const SecretBuffer& DataKey() const { return key_; }

private:
    StoreKey(SecretBuffer key) : key_(std::move(key)), block_(std::make_unique<CoreDumpBlock>()) {}

    SecretBuffer key_;
    std::unique_ptr<CoreDumpBlock> block_;
};

} // namespace lk
