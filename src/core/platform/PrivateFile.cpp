#include "core/platform/PrivateFile.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lk {

#ifndef _WIN32
namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded.
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

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

} // namespace
#endif

namespace {
// Temporary files start with a full stop and do not end in ".dat", so no
// listing of account files ever takes one for an account.
constexpr std::string_view kTemporaryPrefix = ".ledgerkeeper-save-";
} // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file)
{
#ifndef _WIN32
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        return std::nullopt;
    }
    struct stat info
    {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // One byte more than the size: a read that fills less than the buffer has
    // met the end of the file, so a file read whole takes a single read. The
    // store reads every account file at every refresh.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            bytes.resize(bytes.size() * 2); // the file grew while being read
        }
        const std::size_t wanted = bytes.size() - done;
        const ssize_t got = ::read(fd.get(), bytes.data() + done, wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        done += static_cast<std::size_t>(got);
        if (static_cast<std::size_t>(got) < wanted) {
            break;
        }
    }
    bytes.resize(done);
    return bytes;
#else
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
#endif
}

bool ReplaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
#ifndef _WIN32
    std::string pattern = (target.parent_path() / (std::string(kTemporaryPrefix) + "XXXXXX")).string();
    FileDescriptor fd(::mkstemp(pattern.data()));
    if (!fd.valid()) {
        return false;
    }
    const std::filesystem::path temporary = pattern;
    const bool written =
        ::fchmod(fd.get(), 0600) == 0 && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    FileDescriptor folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        ::fsync(folder.get());
    }
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

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds age)
{
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code fileError;
        if (name.rfind(kTemporaryPrefix, 0) != 0 || !it->is_regular_file(fileError)) {
            continue;
        }
        const auto written = std::filesystem::last_write_time(it->path(), fileError);
        if (!fileError && now - written > age) {
            std::filesystem::remove(it->path(), fileError);
        }
    }
}

bool WritePrivateFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
#ifndef _WIN32
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
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
