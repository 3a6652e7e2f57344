// The protected store's costs: unlocking (Argon2id at the cost tuned for this
// machine, then the unwrap), and refreshing a store of protected account files
// beside the same store scrambled.
#include "BenchRecord.h"
#include "core/document/CReaderDoc.h"
#include "core/platform/MemoryTuning.h"
#include "core/platform/PrivateFile.h"
#include "core/protect/KeyDerivationCost.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountFile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr std::u16string_view kUser = u"bench";

lk::SecretBuffer Secret(std::string_view text)
{
    auto buffer = lk::SecretBuffer::CopyOf(text);
    if (!buffer) {
        std::abort();
    }
    return std::move(*buffer);
}

const lk::SecretBuffer& DataKey()
{
    static const lk::SecretBuffer key = [] {
        auto made = lk::ProtectionKeyFile::NewDataKey();
        if (!made) {
            std::abort();
        }
        return std::move(*made);
    }();
    return key;
}

// A folder of `count` account files, protected or scrambled, made once per kind
// and size and removed at exit.
class FileFolder
{
public:
    FileFolder(int count, bool protect)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lk-protect-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        product = pattern;
        folders = lk::Folders::Under(product);
        std::filesystem::create_directories(folders.data);
        for (int i = 0; i < count; ++i) {
            const lk::AccountRecord record = lk::bench::BenchRecord(i);
            const auto bytes = protect ? lk::ProtectedAccountFile::Write(record, DataKey())
                                       : std::optional(lk::WriteAccountFile(record, kUser));
            files.push_back(folders.data / (record.FileStem.str() + ".dat"));
            if (!bytes || !lk::WritePrivateFile(files.back(), *bytes)) {
                std::abort();
            }
        }
    }
    ~FileFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(product, error);
    }
    FileFolder(const FileFolder&) = delete;
    FileFolder& operator=(const FileFolder&) = delete;

    std::filesystem::path product;
    lk::Folders folders;
    std::vector<std::filesystem::path> files;
};

const FileFolder& FolderOf(int count, bool protect)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<FileFolder>> folders;
    auto& folder = folders[{count, protect}];
    if (!folder) {
        folder = std::make_unique<FileFolder>(count, protect);
    }
    return *folder;
}

// Unlocking: Argon2id at the cost a new key file gets on this machine, then the unwrap.
void BM_Unlock(benchmark::State& state)
{
    const lk::KeyDerivationCost cost = lk::KeyDerivationCost::Tuned();
    const auto file = lk::ProtectionKeyFile::Wrap(DataKey(), Secret("bench master password"), cost);
    if (!file) {
        state.SkipWithError("no key file");
        return;
    }
    const lk::SecretBuffer password = Secret("bench master password");
    for (auto _ : state) {
        const auto unwrapped = file->Unwrap(password);
        benchmark::DoNotOptimize(unwrapped.outcome);
    }
    state.counters["passes"] = static_cast<double>(cost.passes);
}

// A refresh of the whole store (every file read, decoded and parsed, the list
// ordered), protected with the data key held or scrambled.
void RefreshStore(benchmark::State& state, bool protect)
{
    lk::KeepFreedMemoryForReuse(); // as the programs do at start
    const FileFolder& folder = FolderOf(static_cast<int>(state.range(0)), protect);
    lk::CReaderDoc document(lk::DocumentContext{folder.folders, std::u16string(kUser), nullptr, nullptr});
    if (protect) {
        auto copy = lk::SecretBuffer::CopyOf(DataKey().bytes());
        document.UseStoreKey(copy ? lk::StoreKey::Hold(std::move(*copy)) : std::nullopt);
    }
    for (auto _ : state) {
        document.RefreshAccounts();
        benchmark::DoNotOptimize(document.Accounts().GetCount());
    }
    if (document.Accounts().GetCount() != state.range(0)) {
        state.SkipWithError("not every account loaded");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RefreshProtectedStore(benchmark::State& state)
{
    RefreshStore(state, true);
}

void BM_RefreshScrambledStore(benchmark::State& state)
{
    RefreshStore(state, false);
}

} // namespace

BENCHMARK(BM_Unlock)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RefreshProtectedStore)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshScrambledStore)->Arg(10000)->Unit(benchmark::kMillisecond);
