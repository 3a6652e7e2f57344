// How long the windowed program takes from its start until its main window is
// on screen, over data folders of several sizes, and then in that window how
// long a Save takes until the form is empty and both trees are filled again.
//
//   build/bench/ledgerkeeper-window-start [--runs N] [--keep FOLDER] [COUNT ...]
//
// Each run is a fresh process: this program started again in its child role,
// which starts the application exactly as the program's own main() does and
// reports the moment the main window is first exposed (painted included) on
// the offscreen platform. The parent takes the time before it starts the child,
// so the figure holds the process start, the loading of the libraries and the
// whole start of the window. The data folders are made once per size, without
// a flush per file, and removed at the end; with --keep they are made under
// FOLDER, kept, and used again by the next run.
#include "BenchRecord.h"
#include "core/document/CReaderDoc.h"
#include "core/platform/Folders.h"
#include "core/platform/MemoryTuning.h"
#include "core/platform/TextConversion.h"
#include "core/platform/UserName.h"
#include "core/store/AccountFile.h"
#include "gui/explorer/CAccountTree.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/shell/CReaderApp.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QToolBar>
#include <QWindow>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long long NowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// The application of the child role: notes when a top-level window has been
// exposed and painted for the first time.
class TimedApplication final : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool handled = QApplication::notify(receiver, event);
        if (visibleAt == 0 && event->type() == QEvent::Expose) {
            const auto* window = qobject_cast<QWindow*>(receiver);
            if (window != nullptr && window->isTopLevel() && window->isExposed()) {
                visibleAt = NowNanoseconds();
            }
        }
        return handled;
    }

    long long visibleAt = 0;
};

// The child: the program's own start, then a Save of the first account in the
// Alphabet tree. Prints "<visible> <save> <refill>": the moment of the first
// exposure (steady clock, nanoseconds), the Save's duration and that of the
// trees' refill alone.
int RunChild(int argc, char** argv)
{
    // A question the start did not expect would wait for an answer for ever.
    ::alarm(120);
    lk::KeepFreedMemoryForReuse();
    TimedApplication application(argc, argv);
    lk::CReaderApp theApp;
    if (!theApp.InitInstance()) {
        return 1;
    }
    while (application.visibleAt == 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const long long visible = application.visibleAt;
    QCoreApplication::processEvents();

    long long save = 0;
    long long refill = 0;
    lk::CExplorerBar* pane = lk::g_pExplorerBar;
    if (pane != nullptr && pane->AlphabetTree()->AccountCount() > 0) {
        pane->Tabs()->setCurrentIndex(1);
        pane->AlphabetTree()->setCurrentIndex(pane->AlphabetTree()->AccountItem(0));
        QCoreApplication::processEvents();
        const long long before = NowNanoseconds();
        pane->AlphabetPage()->ToolBar()->actions().at(2)->trigger(); // Save
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        save = NowNanoseconds() - before;
        // The window's own part of that: both trees filled again from the list
        // as it stands, laid out and painted.
        const long long refillStart = NowNanoseconds();
        pane->RefillFrom(*lk::g_pDocument);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        refill = NowNanoseconds() - refillStart;
    }
    std::cout << visible << ' ' << save << ' ' << refill << std::endl;
    return 0;
}

// A product folder with `count` account files, written without a flush each:
// the flush is no part of what is measured.
std::filesystem::path MakeHome(const std::filesystem::path& under, int count)
{
    std::filesystem::path home = under / ("accounts-" + std::to_string(count));
    const lk::Folders folders = lk::Folders::Under(home);
    if (std::filesystem::exists(folders.data)) {
        return home;
    }
    std::filesystem::create_directories(folders.data);
    const std::u16string user = lk::CurrentUserName();
    for (int i = 0; i < count; ++i) {
        const lk::AccountRecord record = lk::bench::BenchRecord(i);
        const std::vector<std::uint8_t> bytes = lk::WriteAccountFile(record, user);
        std::ofstream file(folders.data / (record.FileStem.str() + ".dat"), std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::cerr << "cannot write the data folder under " << under << '\n';
            std::exit(1);
        }
    }
    return home;
}

struct Run
{
    double visibleMs = 0;
    double saveMs = 0;
    double refillMs = 0;
};

// One start of the child over `home`; false when it did not report.
bool StartOnce(const std::string& self, const std::filesystem::path& home, const std::filesystem::path& config,
               Run& run)
{
    std::array<int, 2> pipeEnds{};
    if (::pipe(pipeEnds.data()) != 0) {
        return false;
    }
    ::setenv("LEDGERKEEPER_HOME", home.c_str(), 1);
    ::setenv("LEDGERKEEPER_UPDATE_URL", "off", 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    // The toolkit's notes on the offscreen platform would bury the table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string role = "--child";
    std::array<char*, 3> args{const_cast<char*>(self.c_str()), const_cast<char*>(role.c_str()), nullptr};
    const long long started = NowNanoseconds();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, self.c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return false;
    }
    std::string said;
    std::array<char, 256> chunk{};
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], chunk.data(), chunk.size())) > 0) {
        said.append(chunk.data(), static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    long long visible = 0;
    long long save = 0;
    long long refill = 0;
    if (std::sscanf(said.c_str(), "%lld %lld %lld", &visible, &save, &refill) != 3 || visible == 0) {
        return false;
    }
    run.visibleMs = static_cast<double>(visible - started) / 1e6;
    run.saveMs = static_cast<double>(save) / 1e6;
    run.refillMs = static_cast<double>(refill) / 1e6;
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front() == "--child") {
        return RunChild(argc, argv);
    }
    int runs = 7;
    std::filesystem::path kept;
    std::vector<int> counts;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--runs" && i + 1 < args.size()) {
            runs = std::max(1, std::stoi(args[++i]));
        } else if (args[i] == "--keep" && i + 1 < args.size()) {
            kept = args[++i];
        } else {
            counts.push_back(std::stoi(args[i]));
        }
    }
    if (counts.empty()) {
        counts = {6, 10000, 100000};
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "lk-window-start-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::cerr << "cannot make a temporary folder\n";
        return 1;
    }
    const std::filesystem::path scratch = pattern;
    const std::filesystem::path under = kept.empty() ? scratch : kept;
    const std::filesystem::path config = scratch / "config";
    std::filesystem::create_directories(config);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();

    std::cout << "medians (min) in ms over the runs\n"
                 "accounts   start to visible     Save to trees refilled   the trees' refill alone   runs\n";
    int failures = 0;
    for (const int count : counts) {
        const std::filesystem::path home = MakeHome(under, count);
        std::vector<double> visible;
        std::vector<double> save;
        std::vector<double> refill;
        for (int r = 0; r < runs + 1; ++r) {
            Run run;
            if (!StartOnce(self, home, config, run)) {
                ++failures;
                continue;
            }
            if (r == 0) {
                continue; // the first start warms the file cache
            }
            visible.push_back(run.visibleMs);
            save.push_back(run.saveMs);
            refill.push_back(run.refillMs);
        }
        if (visible.empty()) {
            std::cout << count << "  no run reported\n";
            continue;
        }
        const auto least = [](const std::vector<double>& values) {
            return *std::min_element(values.begin(), values.end());
        };
        std::printf("%8d  %8.1f (%7.1f)     %8.1f (%7.1f)        %8.1f (%7.1f)       %zu\n", count, Median(visible),
                    least(visible), Median(save), least(save), Median(refill), least(refill), visible.size());
        std::fflush(stdout);
        if (kept.empty()) {
            std::filesystem::remove_all(home);
        }
    }
    std::filesystem::remove_all(scratch);
    return failures == 0 ? 0 : 1;
}
