// RefreshAccounts over a data folder of many account files, beside the floor: a
// plain loop that opens, reads and closes the same files.
#include "BenchRecord.h"
#include "core/document/CReaderDoc.h"
#include "core/platform/MemoryTuning.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/ExplorerPort.h"
#include "core/store/AccountFile.h"
#include "core/store/FileStem.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace {

constexpr std::u16string_view kUser = u"bench";

// A product folder under the temporary folder with `count` account files,
// made once per size and removed at exit.
class BenchFolder
{
public:
    explicit BenchFolder(int count)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lk-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        product = pattern;
        folders = lk::Folders::Under(product);
        // The files are written plainly, without a flush each: 100,000 of them
        // would otherwise take minutes to make.
        lk::CReaderDoc document(lk::DocumentContext{folders, std::u16string(kUser), nullptr, nullptr});
        for (int i = 0; i < count; ++i) {
            const lk::AccountRecord record = lk::bench::BenchRecord(i);
            files.push_back(lk::AccountFilePath(folders.data, record.FileStem.view()));
            // A folder that cannot be filled would measure nothing.
            if (!lk::WritePrivateFile(files.back(), lk::WriteAccountFile(record, kUser))) {
                std::abort();
            }
        }
    }
    ~BenchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(product, error);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::filesystem::path product;
    lk::Folders folders;
    std::vector<std::filesystem::path> files;
};

const BenchFolder& FolderOf(int count)
{
    static std::map<int, std::unique_ptr<BenchFolder>> folders;
    auto& folder = folders[count];
    if (!folder) {
        folder = std::make_unique<BenchFolder>(count);
    }
    return *folder;
}

// A pane that only takes the listed records, as a tree would.
class CountingPane final : public lk::ExplorerPort
{
public:
    std::size_t items = 0;
    void ClearSelection() override {}

protected:
    void RebuildTree(Tree, const std::vector<lk::AccountRecord*>& listed) override { items += listed.size(); }
};

void BM_RefreshAccounts(benchmark::State& state)
{
    lk::KeepFreedMemoryForReuse(); // as the programs do at start
    const BenchFolder& folder = FolderOf(static_cast<int>(state.range(0)));
    CountingPane pane;
    lk::CReaderDoc document(lk::DocumentContext{folder.folders, std::u16string(kUser), nullptr, &pane});
    for (auto _ : state) {
        document.RefreshAccounts();
        benchmark::DoNotOptimize(document.Accounts().GetCount());
    }
    if (document.Accounts().GetCount() != state.range(0)) {
        state.SkipWithError("not every account loaded");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor: open, read and close every file, nothing else.
void BM_OpenReadCloseFloor(benchmark::State& state)
{
    const BenchFolder& folder = FolderOf(static_cast<int>(state.range(0)));
    std::vector<char> buffer(8192);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const auto& file : folder.files) {
            const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            ssize_t got = 0;
            while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) {
                total += static_cast<std::size_t>(got);
            }
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_RefreshAccounts)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenReadCloseFloor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
