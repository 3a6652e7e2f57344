#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace lk {

// Whole-file reads and writes. Every file the program writes is readable by its
// owner only (mode 0600 on POSIX), since account files and the printing listing
// hold passwords.

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file);

// Replaces `target` by a file holding `bytes`, so that a crash at any moment
// leaves either the old file or the new one: the bytes go to a temporary file in
// the same folder (a name that does not end in ".dat"), are flushed to the disk,
// and the temporary file is renamed over the target. Returns false, leaving the
// target as it was, when any step fails.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// Removes the temporary files that ReplaceFileAtomically leaves in `folder`
// when the process dies before the rename, once they are older than `age`.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds age);

// Creates or empties `file` and writes `bytes` into it (mode 0600). Returns false
// when the file cannot be created or written.
bool WritePrivateFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace lk
