#pragma once

#include "core/platform/FileTime.h"
#include "core/store/AccountRecord.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace lk {

using StemText = decltype(AccountRecord::FileStem);

// The legacy combined file of the data folder, and the stem its name would give.
inline constexpr std::string_view kCombinedFileName = "LedgerKeeper.dat";
inline constexpr std::string_view kCombinedFileStem = "LedgerKeeper";

// A stem names a file directly inside the data folder only when it is not empty,
// holds no "/", "\", ":", control character or zero, does not begin with a full
// stop (so neither "." nor ".." nor a hidden file), and fits the record's field
// whole (a cut stem would name another file). Nor may it
// name the legacy combined file: an account saved there would overwrite accounts
// not yet converted, and be taken for a combined file at the next start.
bool IsUsableStem(std::string_view stem);

// The stem a file's own name gives: the part before the first full stop.
// Empty when that part is not usable.
std::string StemFromFileName(std::string_view fileName);

// The account file of a stem: the stem followed by ".dat", in the data folder.
std::filesystem::path AccountFilePath(const std::filesystem::path& dataFolder, std::string_view stem);

// A new stem from the clock: the high and the low half of the file time as
// unsigned decimal numbers, one after the other. It never names a file that
// exists in the data folder, nor repeats a stem given before in this process:
// when the clock has not moved on, the next tick is taken.
std::string NewFileStem(const std::filesystem::path& dataFolder);
// The same, with the clock read by the caller.
std::string NewFileStem(const std::filesystem::path& dataFolder, FileTime now);

// A stem that depends only on `source` and `position`: the 64-bit FNV-1a hash of
// the source's bytes followed by the position, in decimal. The legacy
// conversion gives it to a line without a stem of its own, so that a conversion
// run again (after a crash, or by a second instance) writes the same file once
// more instead of a second copy of the account.
std::string DerivedFileStem(std::span<const std::uint8_t> source, std::uint64_t position);

} // namespace lk
