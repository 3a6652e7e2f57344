#include "core/platform/DirectoryListing.h"

#include "core/platform/TextConversion.h"

#include <algorithm>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lk {
namespace {

bool EndsWithDat(std::string_view name)
{
    constexpr std::string_view kExtension = ".dat";
    return name.size() >= kExtension.size() &&
           EqualsIgnoringAsciiCase(name.substr(name.size() - kExtension.size()), kExtension);
}

} // namespace

bool ListingOrderLess(const std::string& a, const std::string& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

namespace {

// The names of a folder's entries that end in ".dat" and are regular files.
#ifndef _WIN32
// Straight from the folder's entries: the entry type comes with the name, so
// only links and file systems that do not say need a look at the file itself.
// Every refresh lists the data folder, which may hold tens of thousands of files.
std::vector<std::string> DatFilesIn(DIR* directory)
{
    std::vector<std::string> names;
    if (directory == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (!EndsWithDat(name)) {
            continue;
        }
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info
            {};
            regular = ::fstatat(::dirfd(directory), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) {
            names.emplace_back(name);
        }
    }
    ::closedir(directory);
    return names;
}
#else
std::vector<std::string> DatFilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (EndsWithDat(name) && it->is_regular_file(typeError)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}
#endif

} // namespace

std::vector<std::string> ListDatFiles(const std::filesystem::path& folder)
{
#ifndef _WIN32
    std::vector<std::string> names = DatFilesIn(::opendir(folder.c_str()));
#else
    std::vector<std::string> names = DatFilesIn(folder);
#endif
    std::sort(names.begin(), names.end(), ListingOrderLess);
    return names;
}

#ifndef _WIN32
std::vector<std::string> ListDatFilesAt(int folder)
{
    // The listing reads through a descriptor of its own: closing it leaves the
    // caller's open.
    const int listed = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listed < 0) {
        return {};
    }
    DIR* directory = ::fdopendir(listed);
    if (directory == nullptr) {
        ::close(listed);
        return {};
    }
    // A duplicate shares its position with the caller's descriptor: start at the top.
    ::rewinddir(directory);
    std::vector<std::string> names = DatFilesIn(directory);
    std::sort(names.begin(), names.end(), ListingOrderLess);
    return names;
}
#endif

} // namespace lk
