// Import of new accounts into an empty store, from a file of account lines and
// from a CSV file, beside the floor of a durable import: the same account files
// written as temporary files, the file system flushed once, each renamed into
// place, and the data folder flushed once. Each run starts from an empty store;
// what earlier runs wrote is removed and flushed to the disk before the clock
// starts, so that no run pays for another's files.
#include "core/document/CReaderDoc.h"
#include "core/document/ImportCommand.h"
#include "core/platform/FileDescriptor.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "core/transfer/CsvExport.h"
#include "core/transfer/TransferText.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr std::u16string_view kUser = u"bench";

// A desktop whose file chooser returns one file and that shows nothing.
class ChosenFileDesktop final : public lk::DesktopPort
{
public:
    explicit ChosenFileDesktop(std::filesystem::path file) : file_(std::move(file)) {}
    bool AskYesNo(std::u16string_view, std::u16string_view, Owner) override { return false; }
    void ShowMessage(std::u16string_view, std::u16string_view, Owner) override {}
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialog&) override { return file_; }
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialog&) override { return std::nullopt; }
    bool OpenWebAddress(std::string_view) override { return false; }
    bool ShowListing(const std::filesystem::path&) override { return false; }
    bool OpenLocalFile(const std::filesystem::path&) override { return false; }

private:
    std::filesystem::path file_;
};

std::filesystem::path MakeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lk-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

lk::AccountRecord Imported(int i)
{
    lk::AccountRecord record;
    record.AccountName = lk::Wide("Imported " + std::to_string(i));
    record.Url = "https://www.example.com/login/" + std::to_string(i);
    record.Kind = lk::kKindSaved;
    record.SlotCount = 2;
    record.Slots[lk::kPasswordSlot].Flag = 1;
    record.Slots[lk::kPasswordSlot].Value = "secret-password";
    record.Slots[lk::kUserNameSlot].Value = "user.name@example.com";
    return record;
}

void WriteFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The folder of one run, gone (and its removal on the disk) before the next.
class RunFolders
{
public:
    RunFolders() : root_(MakeTemporaryFolder()) {}
    ~RunFolders()
    {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    RunFolders(const RunFolders&) = delete;
    RunFolders& operator=(const RunFolders&) = delete;

    const std::filesystem::path& Root() const { return root_; }

    lk::Folders Next()
    {
        Clear();
        current_ = root_ / ("run-" + std::to_string(runs_++));
        return lk::Folders::Under(*current_);
    }

private:
    void Clear()
    {
        if (current_) {
            std::error_code error;
            std::filesystem::remove_all(*current_, error);
            current_.reset();
        }
        ::sync();
    }

    std::filesystem::path root_;
    std::optional<std::filesystem::path> current_;
    int runs_ = 0;
};

// The import command, from choosing the file to the refreshed list.
void RunImport(benchmark::State& state, const std::vector<std::uint8_t>& fileBytes, std::string_view fileName)
{
    RunFolders runs;
    const std::filesystem::path importFile = runs.Root() / fileName;
    WriteFile(importFile, fileBytes);
    ChosenFileDesktop desktop(importFile);
    for (auto _ : state) {
        state.PauseTiming();
        const lk::Folders folders = runs.Next();
        lk::CReaderDoc document(lk::DocumentContext{folders, std::u16string(kUser), &desktop, nullptr});
        state.ResumeTiming();
        if (lk::ImportAccounts(document) != lk::TransferOutcome::Done ||
            document.Accounts().GetCount() != state.range(0)) {
            state.SkipWithError("the import failed");
        }
    }
    std::error_code error;
    std::filesystem::remove(importFile, error);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ImportAccountLines(benchmark::State& state)
{
    std::u16string text;
    for (int i = 0; i < state.range(0); ++i) {
        text += lk::FormatAccountLine(Imported(i));
    }
    RunImport(state, lk::EncodeUtf16Le(text), "import.txt");
}

void BM_ImportCsv(benchmark::State& state)
{
    lk::AccountList list;
    for (int i = 0; i < state.range(0); ++i) {
        list.Add(std::make_unique<lk::AccountRecord>(Imported(i)));
    }
    const std::string text = lk::CsvExportText(list);
    RunImport(state, std::vector<std::uint8_t>(text.begin(), text.end()), "import.csv");
}

// The floor: the same number of account files of the same size, written as
// temporary files, one syncfs, each renamed to its name, one flush of the folder.
void BM_DurableBatchWriteFloor(benchmark::State& state)
{
    std::vector<std::vector<std::uint8_t>> files;
    for (int i = 0; i < state.range(0); ++i) {
        lk::AccountRecord record = Imported(i);
        record.FileStem = std::to_string(13400000000000000000ULL + static_cast<unsigned long long>(i));
        files.push_back(lk::WriteAccountFile(record, kUser));
    }
    RunFolders runs;
    for (auto _ : state) {
        state.PauseTiming();
        const std::filesystem::path data = runs.Next().data;
        std::filesystem::create_directories(data);
        ::sync();
        state.ResumeTiming();
        std::vector<std::string> temporaries;
        temporaries.reserve(files.size());
        for (const auto& bytes : files) {
            std::string name = (data / ".tmp-XXXXXX").string();
            const lk::FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
            if (!fd.valid() || ::write(fd.get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
                state.SkipWithError("a temporary file could not be written");
            }
            temporaries.push_back(std::move(name));
        }
        const lk::FileDescriptor folder(::open(data.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        ::syncfs(folder.get());
        for (std::size_t i = 0; i < temporaries.size(); ++i) {
            const std::string target = (data / (std::to_string(i) + ".dat")).string();
            ::rename(temporaries[i].c_str(), target.c_str());
        }
        ::fsync(folder.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Few runs of a whole import each; the median of five is the figure to read.
void WholeImportRuns(benchmark::internal::Benchmark* bench)
{
    bench->Arg(20000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_DurableBatchWriteFloor)->Apply(WholeImportRuns);
BENCHMARK(BM_ImportAccountLines)->Apply(WholeImportRuns);
BENCHMARK(BM_ImportCsv)->Apply(WholeImportRuns);
