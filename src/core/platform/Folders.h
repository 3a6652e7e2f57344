#pragma once

#include <filesystem>

namespace lk {

// The three folders of the program: the product folder, the data folder
// ("Account") where every account file lives, and the program folder ("Program")
// of the help file and the update check.
struct Folders
{
    std::filesystem::path product;
    std::filesystem::path data;
    std::filesystem::path program;

    // The folders below a given product folder.
    static Folders Under(const std::filesystem::path& productFolder);

    // The product folder of this user: LEDGERKEEPER_HOME when set, else the
    // platform's place for per-user data.
    static Folders ForThisUser();
};

// Creates a folder that only its owner may enter (mode 0700 on POSIX, whatever
// the umask). A folder of this user that exists already and that others may
// enter or read is brought to 0700. Returns false when the folder does not
// exist afterwards.
bool CreatePrivateFolder(const std::filesystem::path& folder);

} // namespace lk
