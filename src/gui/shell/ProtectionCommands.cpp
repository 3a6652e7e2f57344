#include "gui/shell/ProtectionCommands.h"

#include "core/document/CReaderDoc.h"
#include "core/document/StoreProtection.h"
#include "core/platform/UserName.h"
#include "core/ports/Captions.h"
#include "core/protect/ProtectionKeyFile.h"
#include "gui/shell/CMainFrame.h"
#include "gui/shell/CReaderApp.h"
#include "gui/shell/MasterPasswordDialog.h"
#include "gui/shell/WindowLock.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/WaitCursor.h"

#include <QStatusBar>

namespace lk {
namespace {

constexpr std::u16string_view kWrongPassword = u"The master password is not correct.";
constexpr std::u16string_view kEmptyPassword = u"A master password must not be empty.";
constexpr std::u16string_view kPasswordsDiffer = u"The two new master passwords differ.";
constexpr std::u16string_view kDamagedKeyFile = u"The key file Protection.key is damaged; nothing changed.";
constexpr std::u16string_view kNotProtected = u"The store is not protected; nothing changed.";
constexpr std::u16string_view kNotEveryFile = u"Not every account file could be written; the store loads as it is, "
                                              u"and running the command again finishes it.";
constexpr std::u16string_view kKeyFileNotWritten =
    u"The key file could not be written; the master password has not changed.";

// What an outcome other than Done tells.
std::u16string_view ProblemOf(ProtectionOutcome outcome, std::u16string_view failed)
{
    switch (outcome) {
    case ProtectionOutcome::WrongPassword:
        return kWrongPassword;
    case ProtectionOutcome::DamagedKeyFile:
        return kDamagedKeyFile;
    case ProtectionOutcome::NotProtected:
        return kNotProtected;
    case ProtectionOutcome::Done:
    case ProtectionOutcome::Failed:
        break;
    }
    return failed;
}

} // namespace

bool ProtectionCommands::IsProtected() const
{
    return ProtectionKeyFile::ExistsIn(m_app.GetFolders().data);
}

bool ProtectionCommands::IsUnlocked() const
{
    const WindowLock* lock = m_app.Lock();
    return m_app.HoldsStoreKey() && (lock == nullptr || !lock->IsLocked());
}

bool ProtectionCommands::Handles(int id) const
{
    if (m_app.MainFrame() == nullptr) {
        return false;
    }
    switch (id) {
    case cmd::kProtectStore:
        return !IsProtected();
    case cmd::kChangeMasterPassword:
    case cmd::kRemoveProtection:
        return IsProtected() && IsUnlocked();
    default:
        return false;
    }
}

bool ProtectionCommands::OnCommand(int id)
{
    if (!Handles(id)) {
        return false;
    }
    switch (id) {
    case cmd::kProtectStore:
        OnProtect();
        return true;
    case cmd::kChangeMasterPassword:
        OnChangeMasterPassword();
        return true;
    case cmd::kRemoveProtection:
        OnRemoveProtection();
        return true;
    default:
        return false;
    }
}

void ProtectionCommands::Tell(std::u16string_view text) const
{
    m_app.Desktop().ShowMessage(text, kErrorCaption, DesktopPort::Owner::MainWindow);
}

bool ProtectionCommands::AcceptsNewPassword(const MasterPasswordDialog::Typed& typed) const
{
    if (typed.fresh.empty()) {
        Tell(kEmptyPassword);
        return false;
    }
    if (!SameSecret(typed.fresh, typed.repeated)) {
        Tell(kPasswordsDiffer);
        return false;
    }
    return true;
}

void ProtectionCommands::ShowStatus(const char* text) const
{
    m_app.MainFrame()->statusBar()->showMessage(text);
}

void ProtectionCommands::OnProtect()
{
    std::optional<MasterPasswordDialog::Typed> typed;
    for (;;) {
        typed = MasterPasswordDialog::Ask(MasterPasswordDialog::Purpose::Protect, m_app.MainFrame());
        if (!typed) {
            return;
        }
        if (AcceptsNewPassword(*typed)) {
            break;
        }
    }
    // A document of its own does the work, so that no account window's list
    // changes under its form; the windows then get copies of its key.
    CReaderDoc worker(DocumentContext{m_app.GetFolders(), CurrentUserName(), &m_app.Desktop(), nullptr});
    ProtectionOutcome outcome = ProtectionOutcome::Failed;
    {
        const WaitCursor wait;
        outcome = ProtectStore(worker, typed->fresh, m_app.NewKeyCost());
    }
    typed.reset();
    // A key file written makes the store protected, even when not every account
    // file could be rewritten yet: from now on every save writes protected.
    if (const StoreKey* key = worker.GetStoreKey()) {
        m_app.UseStoreKey(key->Copy());
    }
    if (outcome != ProtectionOutcome::Done) {
        Tell(ProblemOf(outcome, kNotEveryFile));
        return;
    }
    ShowStatus("Every account file is now encrypted under the master password.");
}

void ProtectionCommands::OnChangeMasterPassword()
{
    for (;;) {
        std::optional<MasterPasswordDialog::Typed> typed =
            MasterPasswordDialog::Ask(MasterPasswordDialog::Purpose::Change, m_app.MainFrame());
        if (!typed) {
            return;
        }
        if (!AcceptsNewPassword(*typed)) {
            continue;
        }
        ProtectionOutcome outcome = ProtectionOutcome::Failed;
        {
            const WaitCursor wait;
            outcome = ChangeMasterPassword(m_app.GetFolders().data, typed->current, typed->fresh, m_app.NewKeyCost());
        }
        if (outcome == ProtectionOutcome::Done) {
            ShowStatus("The master password has been changed.");
            return;
        }
        Tell(ProblemOf(outcome, kKeyFileNotWritten));
        if (outcome != ProtectionOutcome::WrongPassword) {
            return;
        }
    }
}

void ProtectionCommands::OnRemoveProtection()
{
    for (;;) {
        std::optional<MasterPasswordDialog::Typed> typed =
            MasterPasswordDialog::Ask(MasterPasswordDialog::Purpose::Remove, m_app.MainFrame());
        if (!typed) {
            return;
        }
        CReaderDoc worker(DocumentContext{m_app.GetFolders(), CurrentUserName(), &m_app.Desktop(), nullptr});
        ProtectionOutcome outcome = ProtectionOutcome::Failed;
        {
            const WaitCursor wait;
            outcome = UnprotectStore(worker, typed->current);
        }
        if (outcome == ProtectionOutcome::Done) {
            // Every account file reads without a key now: the documents drop
            // theirs, and their saves write as a store without protection does.
            m_app.UseStoreKey(std::nullopt);
            ShowStatus("Protection removed: every account file is written without encryption again.");
            return;
        }
        Tell(ProblemOf(outcome, kNotEveryFile));
        if (outcome != ProtectionOutcome::WrongPassword) {
            return;
        }
    }
}

} // namespace lk
