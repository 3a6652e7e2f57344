#include "cli/PasswordInput.h"

#include "cli/Arguments.h"
#include "cli/Command.h"

#include <cerrno>
#include <istream>

#ifndef _WIN32
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace lk::cli {

std::optional<std::string> ReadPasswordLine(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line) && line.empty()) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

#ifndef _WIN32
namespace {

// The terminal's file, closed when it goes out of scope.
class Terminal
{
public:
    Terminal() : m_fd(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~Terminal()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    int fd() const { return m_fd; }

    void Write(std::string_view text) const
    {
        while (!text.empty()) {
            const ssize_t written = ::write(m_fd, text.data(), text.size());
            if (written <= 0) {
                return;
            }
            text.remove_prefix(static_cast<std::size_t>(written));
        }
    }

private:
    int m_fd;
};

} // namespace

std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt)
{
    const Terminal terminal;
    termios saved{};
    if (terminal.fd() < 0 || ::tcgetattr(terminal.fd(), &saved) != 0) {
        return std::nullopt;
    }
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    terminal.Write(prompt);
    if (::tcsetattr(terminal.fd(), TCSAFLUSH, &quiet) != 0) {
        return std::nullopt;
    }
    std::string line;
    bool ended = false;
    for (;;) {
        char c = 0;
        const ssize_t got = ::read(terminal.fd(), &c, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        if (c == '\n') {
            ended = true;
            break;
        }
        line.push_back(c);
    }
    ::tcsetattr(terminal.fd(), TCSAFLUSH, &saved);
    if (!ended && line.empty()) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}
#else
std::optional<std::string> ReadPasswordFromTerminal(std::string_view)
{
    return std::nullopt;
}
#endif

ChosenPassword ReadChosenPassword(const Arguments& arguments, std::istream& in)
{
    const bool prompt = arguments.Flag("--password-prompt");
    const bool fromInput = arguments.Flag("--password-stdin");
    if (prompt && fromInput) {
        throw UsageError{"--password-prompt and --password-stdin exclude each other"};
    }
    ChosenPassword chosen;
    if (!prompt && !fromInput) {
        return chosen;
    }
    chosen.given = true;
    std::optional<std::string> password = prompt ? ReadPasswordFromTerminal("Password: ") : ReadPasswordLine(in);
    if (!password) {
        chosen.failed = true;
        return chosen;
    }
    chosen.password = std::move(*password);
    return chosen;
}

} // namespace lk::cli
