#include "gui/shell/StoreUnlock.h"

#include "core/document/StoreProtection.h"
#include "core/ports/Captions.h"
#include "core/ports/DesktopPort.h"
#include "core/protect/ProtectionKeyFile.h"

namespace lk {

StoreUnlocking UnlockStoreForWindow(const std::filesystem::path& dataFolder, const MasterPasswordPrompt& prompt,
                                    DesktopPort& desktop)
{
    StoreUnlocking unlocking;
    if (!ProtectionKeyFile::ExistsIn(dataFolder)) {
        unlocking.unlocked = true;
        return unlocking;
    }
    for (;;) {
        const std::optional<SecretBuffer> password = prompt();
        if (!password) {
            return unlocking;
        }
        UnlockResult result = UnlockStore(dataFolder, *password);
        switch (result.outcome) {
        case ProtectionOutcome::Done:
            unlocking.unlocked = true;
            unlocking.key = std::move(result.key);
            return unlocking;
        case ProtectionOutcome::WrongPassword:
            desktop.ShowMessage(u"The master password is not correct.", kErrorCaption, DesktopPort::Owner::None);
            break;
        case ProtectionOutcome::DamagedKeyFile:
            desktop.ShowMessage(u"The key file Protection.key is damaged; the store cannot be unlocked.", kErrorCaption,
                                DesktopPort::Owner::None);
            return unlocking;
        default:
            desktop.ShowMessage(u"The store could not be unlocked.", kErrorCaption, DesktopPort::Owner::None);
            return unlocking;
        }
    }
}

} // namespace lk
