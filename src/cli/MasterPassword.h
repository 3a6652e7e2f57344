#pragma once

#include "core/platform/Folders.h"
#include "core/protect/SecretBuffer.h"
#include "core/protect/StoreKey.h"

#include <iosfwd>
#include <optional>
#include <string_view>

namespace lk::cli {

inline constexpr std::string_view kWrongMasterPassword = "The master password is not correct.";

// Where master passwords come from: with --master-stdin, standard input, one
// line per password asked, in the order asked (an account password that also
// comes from standard input is the line after them); otherwise the terminal,
// without echo.
struct MasterPasswordSource
{
    bool fromInput = false;
    std::istream* input = nullptr;
};

// One master password, asked with `prompt` on the terminal. Nothing when none
// could be read. It never passes through memory that is not wiped.
std::optional<SecretBuffer> ReadMasterPassword(const MasterPasswordSource& source, std::string_view prompt);

// A new master password: one line from standard input, or typed twice at the
// terminal. Nothing (and `err` says why) when none was given, it is empty, or
// the two differ.
std::optional<SecretBuffer> ReadNewMasterPassword(const MasterPasswordSource& source, std::ostream& err);

// The key of the store for a command that needs its accounts: none needed when
// the store is not protected (status kDone, no key); otherwise the master
// password is asked, and a wrong one ends the command with status kRefused.
struct Unlocking
{
    int status = 0;
    std::optional<StoreKey> key;
};
Unlocking UnlockForCommand(const Folders& folders, const MasterPasswordSource& source, std::ostream& err);

} // namespace lk::cli
