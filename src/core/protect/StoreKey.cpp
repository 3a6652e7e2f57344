#include "core/protect/StoreKey.h"

#include "core/protect/ProtectionKeyFile.h"

namespace lk {

std::optional<StoreKey> StoreKey::Hold(SecretBuffer dataKey)
{
    if (dataKey.size() != ProtectionKeyFile::kDataKeySize) {
        return std::nullopt;
    }
    return StoreKey(std::move(dataKey));
}

std::optional<StoreKey> StoreKey::Copy() const
{
    auto copy = SecretBuffer::CopyOf(key_.bytes());
    if (!copy) {
        return std::nullopt;
    }
    return Hold(std::move(*copy));
}

} // namespace lk
