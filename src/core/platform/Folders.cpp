#include "core/platform/Folders.h"

#include "core/platform/PrivatePermissions.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace lk {

Folders Folders::Under(const std::filesystem::path& productFolder)
{
    return Folders{productFolder, productFolder / "Account", productFolder / "Program"};
}

Folders Folders::ForThisUser()
{
    if (const char* home = std::getenv("LEDGERKEEPER_HOME"); home != nullptr && *home != '\0') {
        return Under(home);
    }
#ifdef _WIN32
    return Under("C:\\LedgerKeeper");
#else
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        return Under(std::filesystem::path(xdg) / "LedgerKeeper");
    }
    const char* home = std::getenv("HOME");
    return Under(std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / "LedgerKeeper");
#endif
}

bool CreatePrivateFolder(const std::filesystem::path& folder)
{
    std::error_code error;
#ifdef _WIN32
    std::filesystem::create_directory(folder, error);
#else
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken the owner's own rights away.
        ::chmod(folder.c_str(), 0700);
    } else if (errno != EEXIST) {
        return false;
    } else {
        TightenPrivateFolder(folder);
    }
#endif
    return std::filesystem::is_directory(folder, error);
}

} // namespace lk
