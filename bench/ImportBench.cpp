// Import of new accounts into an empty store: every account gets a file of its
// own, each durable on the disk before the import ends.
#include "core/document/CReaderDoc.h"
#include "core/document/ImportCommand.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountLine.h"
#include "core/transfer/TransferText.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

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

void BM_ImportNewAccounts(benchmark::State& state)
{
    const std::filesystem::path root = MakeTemporaryFolder();
    const std::filesystem::path importFile = root / "import.txt";
    std::u16string text;
    for (int i = 0; i < state.range(0); ++i) {
        lk::AccountRecord record;
        record.AccountName = lk::Wide("Imported " + std::to_string(i));
        record.Url = "https://www.example.com/login/" + std::to_string(i);
        record.Kind = lk::kKindSaved;
        record.SlotCount = 3;
        record.Slots[0].Flag = 1;
        record.Slots[0].Value = "secret-password";
        record.Slots[1].Value = "user.name@example.com";
        text += lk::FormatAccountLine(record);
    }
    const std::vector<std::uint8_t> bytes = lk::EncodeUtf16Le(text);
    std::ofstream(importFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    ChosenFileDesktop desktop(importFile);
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const lk::Folders folders = lk::Folders::Under(root / std::to_string(run++));
        lk::CReaderDoc document(lk::DocumentContext{folders, u"bench", &desktop, nullptr});
        state.ResumeTiming();
        if (lk::ImportAccounts(document) != lk::TransferOutcome::Done) {
            state.SkipWithError("the import failed");
        }
    }
    std::error_code error;
    std::filesystem::remove_all(root, error);
}

} // namespace

BENCHMARK(BM_ImportNewAccounts)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(5);
