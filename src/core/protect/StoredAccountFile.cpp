#include "core/protect/StoredAccountFile.h"

#include "core/platform/WipeMemory.h"
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

void ReadStoredAccountFile(std::span<const std::uint8_t> bytes, std::u16string_view userName, const StoreKey* key,
                           AccountFileContent& content)
{
    if (key != nullptr && ProtectedAccountFile::HasMarker(bytes)) {
        // The text about to be dropped is the last file's: passwords in plain text.
        WipeMemory(content.text.data(), content.text.size() * sizeof(char16_t));
        content = ProtectedAccountFile::Read(bytes, key->DataKey());
        return;
    }
    ReadAccountFile(bytes, userName, content);
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
