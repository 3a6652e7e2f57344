#pragma once

#include "core/protect/KeyDerivationCost.h"
#include "core/protect/SecretBuffer.h"
#include "core/protect/StoreKey.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace lk {

class CReaderDoc;

// Turning a store's protection on and off, changing its master password, and
// unlocking it. Each works on the document's data folder, one file at a time,
// so that a crash at any moment leaves a store that loads whole: the key file
// comes first when protection goes on and last when it goes off, and every
// account file is replaced atomically. Run again after a crash, each finishes
// what was cut short.
enum class ProtectionOutcome
{
    Done,
    WrongPassword,  // the key file is whole and the master password does not open it; nothing changed
    DamagedKeyFile, // the key file is not one this program wrote, or a byte of it changed; nothing changed
    NotProtected,   // there is no key file to open or to remove; nothing changed
    Failed,         // a file could not be written or removed; the store loads whole and the step can be run again
};

// Called before every change on the disk, with what is about to change (the
// key file's name or an account file's). Tests stop the process there to show
// that every such moment leaves a sound store.
using ProtectionStep = std::function<void(std::string_view file)>;

struct UnlockResult
{
    ProtectionOutcome outcome = ProtectionOutcome::NotProtected;
    std::optional<StoreKey> key; // with Done
};

// Opens the key file of the data folder with the master password.
UnlockResult UnlockStore(const std::filesystem::path& dataFolder, const SecretBuffer& masterPassword);

// Writes the key file (a new random data key wrapped under `masterPassword` at
// `cost`), then rewrites every account file of the data folder that the user's
// name decodes in the protected format. The document keeps the data key. When
// the store has a key file already, the master password must open it, and the
// account files not yet protected are protected now.
ProtectionOutcome ProtectStore(CReaderDoc& document, const SecretBuffer& masterPassword, KeyDerivationCost cost,
                               const ProtectionStep& step = {});

// Rewrites every protected account file that the data key opens in the
// scrambled format, byte for byte what a store without protection writes, and
// deletes the key file last. The document keeps no key afterwards.
ProtectionOutcome UnprotectStore(CReaderDoc& document, const SecretBuffer& masterPassword,
                                 const ProtectionStep& step = {});

// Wraps the data key under `newPassword` at `cost`; no account file changes.
ProtectionOutcome ChangeMasterPassword(const std::filesystem::path& dataFolder, const SecretBuffer& oldPassword,
                                       const SecretBuffer& newPassword, KeyDerivationCost cost,
                                       const ProtectionStep& step = {});

} // namespace lk
