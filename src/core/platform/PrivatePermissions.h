#pragma once

#include <filesystem>

namespace lk {

// Owner-only permissions for what exists already. The folders and files the
// program keeps hold account data or say where it lies; whatever the umask was
// when they were made, only their owner may enter or read them.

// Brings an existing folder of this user that others may enter or read to
// mode 0700. A missing folder, a folder of another user, or one that only its
// owner may use already is left as it is.
void TightenPrivateFolder(const std::filesystem::path& folder);

// Creates `file` empty when it is missing, and leaves it (or the existing file
// of this user) with mode 0600. Returns false when no regular file of this
// user with that mode is there afterwards.
bool MakePrivateFile(const std::filesystem::path& file);

} // namespace lk
