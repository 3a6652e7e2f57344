#include "core/protect/StoredAccountFile.h"

#include "core/protect/ProtectedAccountFile.h"

namespace lk {

AccountFileContent ReadStoredAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName,
                                         const StoreKey* key)
{
    if (key != nullptr && ProtectedAccountFile::HasMarker(bytes)) {
        return ProtectedAccountFile::Read(bytes, key->DataKey());
    }
    return ReadAccountFile(bytes, userName);
}

std::optional<std::vector<std::uint8_t>> WriteStoredAccountFile(const AccountRecord& record,
                                                                std::u16string_view userName, const StoreKey* key)
{
    if (key != nullptr) {
        return ProtectedAccountFile::Write(record, key->DataKey());
    }
    return WriteAccountFile(record, userName);
}

} // namespace lk
