#include "support/Processes.h"

#include "core/platform/DirectoryListing.h"

#include <csignal>
#include <exception>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lk::test {

std::vector<int> RunInProcesses(int count, const std::function<int(int index)>& work)
{
    int start[2];
    if (::pipe(start) != 0) {
        return std::vector<int>(static_cast<std::size_t>(count), -1);
    }
    std::vector<pid_t> children;
    for (int index = 0; index < count; ++index) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(start[1]);
            char byte = 0;
            // Every child waits for the end of the pipe: the parent closing it.
            if (::read(start[0], &byte, 1) < 0) {
                ::_exit(254);
            }
            int result = 255;
            try {
                result = work(index);
            } catch (const std::exception&) {
                result = 253;
            }
            ::_exit(result);
        }
        children.push_back(child);
    }
    ::close(start[0]);
    ::close(start[1]);
    std::vector<int> results;
    for (const pid_t child : children) {
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child) {
            results.push_back(-1);
            continue;
        }
        results.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return results;
}

bool RunAndKill(const std::function<int()>& work, std::optional<std::chrono::microseconds> pause,
                const std::filesystem::path& folder, std::size_t listed)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(work());
    }
    int status = 0;
    if (pause) {
        std::this_thread::sleep_for(*pause);
    } else {
        while (ListDatFiles(folder).size() <= listed) {
            if (::waitpid(child, &status, WNOHANG) == child) {
                return false;
            }
        }
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace lk::test
