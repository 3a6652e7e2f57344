#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace lk {

// Whole-file reads and writes. Every file the program writes is readable by its
// owner only (mode 0600 on POSIX), since account files and the printing listing
// hold passwords. No open ever waits: a FIFO or a device in place of a file is
// refused at once rather than read.

// The file's bytes, or nothing when it is not a regular file or cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file);

// Whether a bounded read goes through a symbolic link at the path.
enum class LinkRule
{
    Follow, // a file the user chose: a link to a regular file is read
    Refuse, // a file of the data folder: only a regular file of that very name
};

// The bytes of a regular file of at most `maxBytes` bytes, or nothing: anything
// else (a missing file, a folder, a FIFO, a device, a larger file, a link when
// links are refused) is turned away without reading it, in constant memory.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes,
                                                         LinkRule links);

// Replaces `target` by a file holding `bytes`, so that a crash at any moment
// leaves either the old file or the new one: the bytes go to a temporary file in
// the same folder (a name that does not end in ".dat"), are flushed to the disk,
// and the temporary file is renamed over the target. Returns false, leaving the
// target as it was, when any step fails.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// How creating a file that must not replace anything ended.
enum class CreateOutcome
{
    Created,   // the file is in place, whole and flushed
    NameTaken, // something of that name exists; it is untouched
    Failed,    // the file could not be written; nothing has changed
};

// Creates `target` holding `bytes`, but never over anything of that name, even
// when another process creates the same name at the same moment: the bytes go
// to a temporary file as for ReplaceFileAtomically, which is then linked to the
// target's name only if that name is free. A crash leaves no part of a file.
CreateOutcome CreateFileExclusively(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// One file of a batch: its name, its bytes, and whether it replaces a file of
// that name (as ReplaceFileAtomically) or is created only where the name is
// free (as CreateFileExclusively).
struct BatchedFile
{
    std::filesystem::path target;
    std::vector<std::uint8_t> bytes;
    bool replace = false;
};

// Writes the files of a batch into `folder`, each as ReplaceFileAtomically or
// CreateFileExclusively would, but waiting for the disk once for all of them
// rather than once for each: every file goes to a temporary file, the file
// system is flushed, then each is given its name in the batch's order, and the
// folder is flushed once. A crash at any moment leaves each file whole or not
// there, and every file it would replace whole. Returns each file's outcome, in
// order (Created also for a file that replaced another).
std::vector<CreateOutcome> WriteFilesTogether(const std::filesystem::path& folder, std::span<const BatchedFile> files);

// Removes the temporary files that ReplaceFileAtomically and
// CreateFileExclusively leave in `folder` when the process dies before the
// rename, once they are older than `age`. Only regular files with exactly the
// names those two give are touched.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds age);

// Removes `file` only if it is a regular file (a link, a folder, a FIFO of
// that name stays). True when it was removed or nothing of that name exists.
bool RemoveRegularFile(const std::filesystem::path& file);

// Creates or empties `file` and writes `bytes` into it (mode 0600). Returns false
// when the file cannot be created or written.
bool WritePrivateFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace lk
