#include "core/platform/PrivateFile.h"

#include "core/platform/BoundedRead.h"
#include "core/platform/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lk {

namespace {

// Temporary files start with a full stop and do not end in ".dat", so no
// listing of account files ever takes one for an account. The six characters
// after the prefix are the ones mkstemp puts in place of its "XXXXXX".
constexpr std::string_view kTemporaryPrefix = ".ledgerkeeper-save-";
constexpr std::size_t kTemporaryUniquePart = 6;

bool IsTemporaryFileName(std::string_view name)
{
    if (name.size() != kTemporaryPrefix.size() + kTemporaryUniquePart || name.rfind(kTemporaryPrefix, 0) != 0) {
        return false;
    }
    for (const char c : name.substr(kTemporaryPrefix.size())) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return true;
}

} // namespace

#ifndef _WIN32
namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Whether a temporary file is flushed to the disk on its own, or with the
// others of a batch.
enum class Flush
{
    Now,
    WithTheBatch,
};

// Writes `bytes` to a new temporary file beside `target`, flushed to the disk
// unless the batch flushes it. Returns its path, or nothing (and no file) when
// any step failed.
std::optional<std::filesystem::path> WriteTemporaryFile(const std::filesystem::path& target,
                                                        std::span<const std::uint8_t> bytes, Flush flush = Flush::Now)
{
    std::string pattern = (target.parent_path() / (std::string(kTemporaryPrefix) + "XXXXXX")).string();
    FileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!fd.valid()) {
        return std::nullopt;
    }
    const bool written = ::fchmod(fd.get(), 0600) == 0 && WriteAll(fd.get(), bytes) &&
                         (flush == Flush::WithTheBatch || ::fsync(fd.get()) == 0) && fd.Close();
    if (!written) {
        ::unlink(pattern.c_str());
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
}

// Makes a new name in the folder durable.
void FlushFolder(const std::filesystem::path& folder)
{
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

// Gives `temporary` the name `target` only when that name is free. A hard link
// is the one way that works on every local file system; where links are not
// supported, a rename that refuses to replace does the same.
CreateOutcome LinkIntoPlace(const std::filesystem::path& temporary, const std::filesystem::path& target)
{
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return CreateOutcome::Created;
    }
    const int linkError = errno;
    if (linkError == EEXIST) {
        ::unlink(temporary.c_str());
        return CreateOutcome::NameTaken;
    }
    if (linkError == EPERM || linkError == EOPNOTSUPP || linkError == EMLINK) {
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
            return CreateOutcome::Created;
        }
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return renameError == EEXIST ? CreateOutcome::NameTaken : CreateOutcome::Failed;
    }
    ::unlink(temporary.c_str());
    return CreateOutcome::Failed;
}

} // namespace
#endif

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file)
{
    return ReadRegularFile(file, std::numeric_limits<std::ptrdiff_t>::max() / 2, LinkRule::Follow);
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes,
                                                         LinkRule links)
{
#ifndef _WIN32
    // Looked at before it is opened: a FIFO, a device or a folder is never opened
    // at all, and a file too large is never read.
    struct stat before
    {};
    const int looked = links == LinkRule::Follow ? ::stat(file.c_str(), &before) : ::lstat(file.c_str(), &before);
    if (looked != 0 || !S_ISREG(before.st_mode) || static_cast<std::uintmax_t>(before.st_size) > maxBytes) {
        return std::nullopt;
    }
    // The name may stand for something else by now: the open must not wait for a
    // FIFO's writer, and what it opened is looked at again.
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (links == LinkRule::Refuse ? O_NOFOLLOW : 0);
    const FileDescriptor fd(::open(file.c_str(), flags));
    if (!fd.valid()) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadOpenRegularFile(fd.get(), maxBytes, bytes)) {
        return std::nullopt;
    }
    return bytes;
#else
    static_cast<void>(links);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) || std::filesystem::file_size(file, error) > maxBytes || error) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() > maxBytes) {
        return std::nullopt;
    }
    return bytes;
#endif
}

bool ReplaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
#ifndef _WIN32
    const std::optional<std::filesystem::path> temporary = WriteTemporaryFile(target, bytes);
    if (!temporary) {
        return false;
    }
    if (::rename(temporary->c_str(), target.c_str()) != 0) {
        ::unlink(temporary->c_str());
        return false;
    }
    FlushFolder(target.parent_path());
    return true;
#else
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    if (!WritePrivateFile(temporary, bytes)) {
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
#endif
}

CreateOutcome CreateFileExclusively(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
#ifndef _WIN32
    const std::optional<std::filesystem::path> temporary = WriteTemporaryFile(target, bytes);
    if (!temporary) {
        return CreateOutcome::Failed;
    }
    const CreateOutcome outcome = LinkIntoPlace(*temporary, target);
    if (outcome == CreateOutcome::Created) {
        FlushFolder(target.parent_path());
    }
    return outcome;
#else
    // The store lock keeps other instances from taking the name in between.
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) {
        return CreateOutcome::NameTaken;
    }
    return ReplaceFileAtomically(target, bytes) ? CreateOutcome::Created : CreateOutcome::Failed;
#endif
}

std::vector<CreateOutcome> WriteFilesTogether(const std::filesystem::path& folder, std::span<const BatchedFile> files)
{
    std::vector<CreateOutcome> outcomes(files.size(), CreateOutcome::Failed);
#ifndef _WIN32
    std::vector<std::optional<std::filesystem::path>> temporaries;
    temporaries.reserve(files.size());
    for (const BatchedFile& file : files) {
        temporaries.push_back(WriteTemporaryFile(file.target, file.bytes, Flush::WithTheBatch));
    }
    // One flush of the file system for every temporary file: nothing is given
    // its name before all of them are on the disk.
    const FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const bool flushed = folderFd.valid() && ::syncfs(folderFd.get()) == 0;
    bool placedAny = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!temporaries[i]) {
            continue;
        }
        const std::filesystem::path& temporary = *temporaries[i];
        if (!flushed) {
            ::unlink(temporary.c_str());
        } else if (files[i].replace) {
            if (::rename(temporary.c_str(), files[i].target.c_str()) == 0) {
                outcomes[i] = CreateOutcome::Created;
            } else {
                ::unlink(temporary.c_str());
            }
        } else {
            outcomes[i] = LinkIntoPlace(temporary, files[i].target);
        }
        placedAny = placedAny || outcomes[i] == CreateOutcome::Created;
    }
    if (placedAny) {
        FlushFolder(folder);
    }
#else
    static_cast<void>(folder);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].replace) {
            outcomes[i] =
                ReplaceFileAtomically(files[i].target, files[i].bytes) ? CreateOutcome::Created : CreateOutcome::Failed;
        } else {
            outcomes[i] = CreateFileExclusively(files[i].target, files[i].bytes);
        }
    }
#endif
    return outcomes;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds age)
{
    const auto now = std::filesystem::file_time_type::clock::now();
    const auto removeIfStale = [&](const std::filesystem::path& file) {
        // Anything else, a hidden account file whose name begins the same way
        // included, is not ours to remove.
        std::error_code fileError;
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, fileError))) {
            return;
        }
        const auto written = std::filesystem::last_write_time(file, fileError);
        if (!fileError && now - written > age) {
            std::filesystem::remove(file, fileError);
        }
    };
#ifndef _WIN32
    // Every start walks the data folder, which may hold tens of thousands of
    // account files: the names are looked at straight from the folder's entries,
    // and only a temporary file's name leads any further.
    std::vector<std::string> temporaries;
    if (DIR* directory = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(directory)) {
            if (IsTemporaryFileName(entry->d_name)) {
                temporaries.emplace_back(entry->d_name);
            }
        }
        ::closedir(directory);
    }
    for (const std::string& name : temporaries) {
        removeIfStale(folder / name);
    }
#else
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (IsTemporaryFileName(it->path().filename().string())) {
            removeIfStale(it->path());
        }
    }
#endif
}

bool RemoveRegularFile(const std::filesystem::path& file)
{
#ifndef _WIN32
    struct stat info
    {};
    if (::lstat(file.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISREG(info.st_mode)) {
        return false;
    }
    // unlink never removes a folder, should one have taken the name meanwhile.
    return ::unlink(file.c_str()) == 0 || errno == ENOENT;
#else
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (!std::filesystem::exists(status)) {
        return true;
    }
    return std::filesystem::is_regular_file(status) && std::filesystem::remove(file, error);
#endif
}

bool WritePrivateFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
#ifndef _WIN32
    // Without a reader a FIFO refuses the open rather than keeping it waiting.
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600));
    if (!fd.valid()) {
        return false;
    }
    return ::fchmod(fd.get(), 0600) == 0 && WriteAll(fd.get(), bytes) && fd.Close();
#else
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
#endif
}

} // namespace lk
