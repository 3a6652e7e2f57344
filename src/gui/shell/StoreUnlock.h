#pragma once

#include "core/protect/SecretBuffer.h"
#include "core/protect/StoreKey.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace lk {

class DesktopPort;

// Asks for the master password once; nothing when the user cancelled.
using MasterPasswordPrompt = std::function<std::optional<SecretBuffer>()>;

struct StoreUnlocking
{
    // False when the program is to end: the user cancelled, or the store cannot be opened.
    bool unlocked = false;
    // The data key; none for a store that is not protected.
    std::optional<StoreKey> key;
};

// Unlocks the store of `dataFolder` when it is protected: asks for the master
// password until it opens the key file or the user cancels. A wrong one is
// told and asked again. A store that is not protected is open at once.
StoreUnlocking UnlockStoreForWindow(const std::filesystem::path& dataFolder, const MasterPasswordPrompt& prompt,
                                    DesktopPort& desktop);

} // namespace lk
