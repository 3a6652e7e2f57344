#include "core/document/StoreProtection.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/DirectoryListing.h"
#include "core/platform/FolderLock.h"
#include "core/platform/PrivateFile.h"
#include "core/platform/TextConversion.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountLine.h"
#include "core/store/FileStem.h"

namespace lk {
namespace {

ProtectionOutcome OutcomeOf(ProtectionKeyFile::Outcome outcome)
{
    switch (outcome) {
    case ProtectionKeyFile::Outcome::Unlocked:
        return ProtectionOutcome::Done;
    case ProtectionKeyFile::Outcome::WrongPassword:
        return ProtectionOutcome::WrongPassword;
    case ProtectionKeyFile::Outcome::Damaged:
        return ProtectionOutcome::DamagedKeyFile;
    case ProtectionKeyFile::Outcome::Unavailable:
        break;
    }
    return ProtectionOutcome::Failed;
}

void Announce(const ProtectionStep& step, std::string_view file)
{
    if (step) {
        step(file);
    }
}

// The record a file holds in the format it is in, as the loader reads it: the
// stem from the file's own name when its line has none.
std::optional<AccountRecord> RecordOf(const AccountFileContent& content, std::string_view fileName)
{
    if (content.outcome != AccountFileOutcome::Text) {
        return std::nullopt;
    }
    AccountRecord record;
    if (!ParseAccountLine(content.text, record)) {
        return std::nullopt;
    }
    if (record.FileStem.empty()) {
        const std::string stem = StemFromFileName(fileName);
        if (stem.empty()) {
            return std::nullopt;
        }
        record.FileStem = stem;
    }
    return record;
}

// Rewrites every account file of the data folder that `recode` gives new bytes
// for, each in its own place and atomically. False when any could not be written.
bool RecodeAccountFiles(const CReaderDoc& document, const ProtectionStep& step,
                        const std::function<std::optional<std::vector<std::uint8_t>>(std::span<const std::uint8_t>,
                                                                                     std::string_view)>& recode)
{
    const std::filesystem::path& data = document.GetFolders().data;
    bool everyFile = true;
    for (const std::string& name : ListDatFiles(data)) {
        // The combined file is converted into account files at the next start,
        // in whatever format the store writes then.
        if (EqualsIgnoringAsciiCase(name, kCombinedFileName)) {
            continue;
        }
        const auto bytes = ReadRegularFile(data / name, kMaxAccountFileBytes, LinkRule::Refuse);
        if (!bytes) {
            continue;
        }
        const auto recoded = recode(*bytes, name);
        if (!recoded) {
            continue;
        }
        Announce(step, name);
        everyFile = ReplaceFileAtomically(data / name, *recoded) && everyFile;
    }
    return everyFile;
}

} // namespace

UnlockResult UnlockStore(const std::filesystem::path& dataFolder, const SecretBuffer& masterPassword)
{
    UnlockResult result;
    const auto bytes = ProtectionKeyFile::ReadFrom(ProtectionKeyFile::PathIn(dataFolder));
    if (!bytes) {
        result.outcome = ProtectionKeyFile::ExistsIn(dataFolder) ? ProtectionOutcome::DamagedKeyFile
                                                                 : ProtectionOutcome::NotProtected;
        return result;
    }
    ProtectionKeyFile::Unwrapped unwrapped = ProtectionKeyFile::Unwrap(*bytes, masterPassword);
    result.outcome = OutcomeOf(unwrapped.outcome);
    if (result.outcome == ProtectionOutcome::Done) {
        result.key = StoreKey::Hold(std::move(*unwrapped.dataKey));
        if (!result.key) {
            result.outcome = ProtectionOutcome::Failed;
        }
    }
    return result;
}

ProtectionOutcome ProtectStore(CReaderDoc& document, const SecretBuffer& masterPassword, KeyDerivationCost cost,
                               const ProtectionStep& step)
{
    const FolderLock lock = document.LockStore();
    const std::filesystem::path& data = document.GetFolders().data;
    std::optional<StoreKey> key;
    if (ProtectionKeyFile::ExistsIn(data)) {
        UnlockResult unlocked = UnlockStore(document.GetFolders().data, masterPassword);
        if (unlocked.outcome != ProtectionOutcome::Done) {
            return unlocked.outcome;
        }
        key = std::move(unlocked.key);
    } else {
        auto dataKey = ProtectionKeyFile::NewDataKey();
        const auto file = dataKey ? ProtectionKeyFile::Wrap(*dataKey, masterPassword, cost) : std::nullopt;
        if (!file) {
            return ProtectionOutcome::Failed;
        }
        // The key file is on the disk, flushed, before any account file depends on it.
        Announce(step, ProtectionKeyFile::kFileName);
        if (!file->WriteTo(ProtectionKeyFile::PathIn(data))) {
            return ProtectionOutcome::Failed;
        }
        key = StoreKey::Hold(std::move(*dataKey));
    }
    if (!key) {
        return ProtectionOutcome::Failed;
    }
    const std::u16string& user = document.UserName();
    const SecretBuffer& dataKey = key->DataKey();
    const bool everyFile = RecodeAccountFiles(
        document, step,
        [&](std::span<const std::uint8_t> bytes, std::string_view name) -> std::optional<std::vector<std::uint8_t>> {
            if (ProtectedAccountFile::HasMarker(bytes)) {
                return std::nullopt;
            }
            const auto record = RecordOf(ReadAccountFile(bytes, user), name);
            return record ? ProtectedAccountFile::Write(*record, dataKey) : std::nullopt;
        });
    document.UseStoreKey(std::move(key));
    return everyFile ? ProtectionOutcome::Done : ProtectionOutcome::Failed;
}

ProtectionOutcome UnprotectStore(CReaderDoc& document, const SecretBuffer& masterPassword, const ProtectionStep& step)
{
    const FolderLock lock = document.LockStore();
    UnlockResult unlocked = UnlockStore(document.GetFolders().data, masterPassword);
    if (unlocked.outcome != ProtectionOutcome::Done) {
        return unlocked.outcome;
    }
    const std::u16string& user = document.UserName();
    const SecretBuffer& dataKey = unlocked.key->DataKey();
    const bool everyFile = RecodeAccountFiles(
        document, step,
        [&](std::span<const std::uint8_t> bytes, std::string_view name) -> std::optional<std::vector<std::uint8_t>> {
            if (!ProtectedAccountFile::HasMarker(bytes)) {
                return std::nullopt;
            }
            const auto record = RecordOf(ProtectedAccountFile::Read(bytes, dataKey), name);
            if (!record) {
                return std::nullopt;
            }
            return WriteAccountFile(*record, user);
        });
    // Only once every account file reads without the key may the key go.
    if (!everyFile) {
        document.UseStoreKey(std::move(unlocked.key));
        return ProtectionOutcome::Failed;
    }
    document.UseStoreKey(std::nullopt);
    Announce(step, ProtectionKeyFile::kFileName);
    return RemoveRegularFile(ProtectionKeyFile::PathIn(document.GetFolders().data)) ? ProtectionOutcome::Done
                                                                                    : ProtectionOutcome::Failed;
}

ProtectionOutcome ChangeMasterPassword(const std::filesystem::path& dataFolder, const SecretBuffer& oldPassword,
                                       const SecretBuffer& newPassword, KeyDerivationCost cost,
                                       const ProtectionStep& step)
{
    const FolderLock lock(dataFolder);
    const std::filesystem::path path = ProtectionKeyFile::PathIn(dataFolder);
    const auto bytes = ProtectionKeyFile::ReadFrom(path);
    if (!bytes) {
        return ProtectionKeyFile::ExistsIn(dataFolder) ? ProtectionOutcome::DamagedKeyFile
                                                       : ProtectionOutcome::NotProtected;
    }
    const auto file = ProtectionKeyFile::Parse(*bytes);
    if (!file) {
        return ProtectionOutcome::DamagedKeyFile;
    }
    const ProtectionKeyFile::Rewrapped rewrapped = file->Rewrap(oldPassword, newPassword, cost);
    if (rewrapped.outcome != ProtectionKeyFile::Outcome::Unlocked) {
        return OutcomeOf(rewrapped.outcome);
    }
    Announce(step, ProtectionKeyFile::kFileName);
    return rewrapped.file->WriteTo(path) ? ProtectionOutcome::Done : ProtectionOutcome::Failed;
}

} // namespace lk
