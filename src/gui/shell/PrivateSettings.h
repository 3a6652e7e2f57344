#pragma once

#include <filesystem>

namespace lk {

// Makes the program's per-user settings private before anything is written to
// them: the settings folder is 0700 and the settings file 0600, whatever the
// umask, and an existing folder or file of this user that others may read is
// tightened. Missing folders above it are made for their owner only; existing
// ones (the user's configuration folder) are left as they are. Qt replaces the
// settings file through a temporary file that takes over the old file's mode,
// so the file stays 0600 at every later write. Returns the settings file.
std::filesystem::path MakeSettingsPrivate();

} // namespace lk
