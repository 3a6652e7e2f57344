#pragma once

#include "gui/shell/MasterPasswordDialog.h"
#include "gui/toolkit/CommandTarget.h"

#include <string_view>

namespace lk {

class CReaderApp;

// Tools > Protect with Master Password..., Change Master Password... and
// Remove Protection...: each asks in its dialog, then turns the protection of
// the data folder on, rewraps its data key, or turns it off, and hands every
// open document the key it now needs (or none). What went wrong is told.
class ProtectionCommands final : public CommandTarget
{
public:
    explicit ProtectionCommands(CReaderApp& app) : m_app(app) {}

    bool OnCommand(int id) override;
    // Protect only for a store that is not protected; Change and Remove only
    // for a protected store that the window holds the key of.
    [[nodiscard]] bool Handles(int id) const override;

    void OnProtect();
    void OnChangeMasterPassword();
    void OnRemoveProtection();

private:
    bool IsProtected() const;
    bool IsUnlocked() const;
    void Tell(std::u16string_view text) const;
    // Whether the new master password was typed the same twice and is not
    // empty; when not, says why.
    bool AcceptsNewPassword(const MasterPasswordDialog::Typed& typed) const;
    void ShowStatus(const char* text) const;

    CReaderApp& m_app;
};

} // namespace lk
