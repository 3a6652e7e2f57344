#include "cli/MasterPassword.h"

#include "cli/Command.h"
#include "cli/PasswordInput.h"
#include "core/document/StoreProtection.h"
#include "core/protect/ProtectionKeyFile.h"

#include <istream>
#include <ostream>
#include <sodium.h>
#include <string>

namespace lk::cli {
namespace {

// The longest master password read; a longer line is refused rather than cut.
constexpr std::size_t kMostBytes = 4096;

// One line of `in` without its line end, straight into guarded memory.
std::optional<SecretBuffer> ReadSecretLine(std::istream& in)
{
    auto buffer = SecretBuffer::Allocate(kMostBytes + 1);
    if (!buffer) {
        return std::nullopt;
    }
    std::size_t size = 0;
    bool ended = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n') {
            ended = true;
            break;
        }
        if (size == buffer->size()) {
            return std::nullopt;
        }
        buffer->bytes()[size++] = static_cast<std::uint8_t>(c);
    }
    if ((!ended && size == 0) || size > kMostBytes) {
        return std::nullopt;
    }
    if (size > 0 && buffer->bytes()[size - 1] == '\r') {
        --size;
    }
    return SecretBuffer::CopyOf(buffer->bytes().first(size));
}

std::optional<SecretBuffer> ReadFromTerminal(std::string_view prompt)
{
    std::optional<std::string> typed = ReadPasswordFromTerminal(prompt);
    if (!typed) {
        return std::nullopt;
    }
    auto secret = SecretBuffer::CopyOf(*typed);
    sodium_memzero(typed->data(), typed->size());
    return secret;
}

} // namespace

std::optional<SecretBuffer> ReadMasterPassword(const MasterPasswordSource& source, std::string_view prompt)
{
    if (source.fromInput) {
        return source.input != nullptr ? ReadSecretLine(*source.input) : std::nullopt;
    }
    return ReadFromTerminal(prompt);
}

std::optional<SecretBuffer> ReadNewMasterPassword(const MasterPasswordSource& source, std::ostream& err)
{
    auto password = ReadMasterPassword(source, "New master password: ");
    if (!password) {
        err << "ledgerkeeper-cli: no master password was given; nothing changed\n";
        return std::nullopt;
    }
    if (password->empty()) {
        err << "ledgerkeeper-cli: a master password must not be empty; nothing changed\n";
        return std::nullopt;
    }
    if (!source.fromInput) {
        const auto again = ReadMasterPassword(source, "Repeat the new master password: ");
        if (!again || !SameSecret(*password, *again)) {
            err << "ledgerkeeper-cli: the two master passwords differ; nothing changed\n";
            return std::nullopt;
        }
    }
    return password;
}

Unlocking UnlockForCommand(const Folders& folders, const MasterPasswordSource& source, std::ostream& err)
{
    Unlocking unlocking;
    if (!ProtectionKeyFile::ExistsIn(folders.data)) {
        return unlocking;
    }
    unlocking.status = kRefused;
    const auto password = ReadMasterPassword(source, "Master password: ");
    if (!password) {
        err << "ledgerkeeper-cli: the store is protected and no master password was given\n";
        return unlocking;
    }
    UnlockResult unlocked = UnlockStore(folders.data, *password);
    switch (unlocked.outcome) {
    case ProtectionOutcome::Done:
        unlocking.status = kDone;
        unlocking.key = std::move(unlocked.key);
        break;
    case ProtectionOutcome::WrongPassword:
        err << kWrongMasterPassword << '\n';
        break;
    case ProtectionOutcome::DamagedKeyFile:
        err << "ledgerkeeper-cli: the key file " << ProtectionKeyFile::kFileName << " is damaged\n";
        break;
    default:
        err << "ledgerkeeper-cli: the store could not be unlocked\n";
        break;
    }
    return unlocking;
}

} // namespace lk::cli
