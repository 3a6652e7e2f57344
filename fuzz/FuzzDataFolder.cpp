// The store over a data folder holding one arbitrary legacy combined file: the
// conversion at a new document must keep every account it reports converted
// (a second document loads each one back, field by field), and no file may
// appear anywhere but directly in the data folder.
#include "FuzzSupport.h"
#include "core/document/CReaderDoc.h"
#include "core/platform/Folders.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// A scratch folder per run, on a memory file system where there is one: the
// saves flush every file to the disk.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "lk-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            lk::fuzz::Fail("cannot make a scratch folder");
        }
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteFile(const fs::path& file, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Nothing but the product folder in the scratch folder, nothing but the data
// folder in the product folder, and only files in the data folder.
void RequireContained(const fs::path& scratch, const lk::Folders& folders)
{
    for (const auto& entry : fs::directory_iterator(scratch)) {
        lk::fuzz::Require(entry.path() == folders.product, "a file beside the product folder");
    }
    for (const auto& entry : fs::directory_iterator(folders.product)) {
        lk::fuzz::Require(entry.path() == folders.data, "a file beside the data folder");
    }
    for (const auto& entry : fs::directory_iterator(folders.data)) {
        lk::fuzz::Require(entry.is_regular_file() && !entry.is_symlink(),
                          "something other than a file in the data folder");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lk;
    const ScratchFolder scratch;
    const Folders folders = Folders::Under(scratch.path() / "home");

    std::map<std::string, AccountRecord> converted; // by stem: the last account saved under it
    bool wasConverted = false;
    {
        CReaderDoc first(DocumentContext{folders, u"fuzzer", nullptr, nullptr});
        WriteFile(first.CombinedFilePath(), data, size);
        wasConverted = first.MigrateCombinedFile();
        for (const auto& record : first.Accounts()) {
            fuzz::RequireWithinLimits(*record);
            converted[record->FileStem.str()] = *record;
        }
    }
    RequireContained(scratch.path(), folders);
    if (!wasConverted) {
        return 0;
    }

    CReaderDoc second(DocumentContext{folders, u"fuzzer", nullptr, nullptr});
    AccountList loaded;
    second.LoadAllAccounts(loaded);
    for (const auto& [stem, record] : converted) {
        const AccountRecord* found = nullptr;
        for (const auto& candidate : loaded) {
            if (candidate->FileStem.view() == stem) {
                found = candidate.get();
            }
        }
        fuzz::Require(found != nullptr, "a converted account is gone at the next load");
        fuzz::RequireSameRecord(record, *found);
    }
    return 0;
}
