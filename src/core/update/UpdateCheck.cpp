#include "core/update/UpdateCheck.h"

#include "core/platform/FileInfo.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/Captions.h"
#include "core/update/UpdateDescription.h"

#include <set>
#include <string_view>

namespace lk {

namespace {

constexpr std::uint32_t kSecondsPerDay = 86400;
constexpr std::string_view kDescriptionName = "update.dat";
constexpr std::u16string_view kUpgradeQuestion = u"New version of LedgerKeeper is ready. Upgrade now?";

// What the check does after one record.
enum class Outcome
{
    NextRecord,
    StartProgram,
    EndProgram,
};

// The check runs at most once a day. With no time remembered (the very first
// start, or settings that were lost) it runs. A remembered time in the future
// (the clock was put back) is not a day ago, so it waits for the next start,
// which compares against the time stored now.
bool IsDue(std::optional<std::uint32_t> lastStart, std::uint32_t now)
{
    return !lastStart || static_cast<std::uint64_t>(now) >= static_cast<std::uint64_t>(*lastStart) + kSecondsPerDay;
}

// The product folder may not exist yet at the very first start, since the
// document creates it only after the main window.
bool MakeProgramFolder(const Folders& folders)
{
    std::error_code error;
    if (std::filesystem::is_directory(folders.program, error)) {
        return true;
    }
    return CreatePrivateFolder(folders.product) && CreatePrivateFolder(folders.program);
}

bool IsCurrent(const UpdateRecord& record, const std::filesystem::path& file)
{
    const auto info = ReadFileInfo(file);
    return info && static_cast<std::uint32_t>(info->size) == record.size && info->lastWrite.High() == record.timeHigh &&
           info->lastWrite.Low() == record.timeLow;
}

Outcome OfferUpgrade(const UpdateContext& context)
{
    if (!context.desktop->AskYesNo(kUpgradeQuestion, kInformationCaption, DesktopPort::Owner::MainWindow)) {
        return Outcome::StartProgram;
    }
    // The program ends even when no browser opens: the user asked to upgrade.
    context.desktop->OpenWebAddress(context.installerAddress);
    return Outcome::EndProgram;
}

// What one run of the check has done so far.
struct CheckRun
{
    std::chrono::steady_clock::time_point deadline;
    // Every name fetched in this run: a description that lists one name many
    // times makes one request for it, not one per record.
    std::set<std::string, std::less<>> fetched;
};

Outcome HandleRecord(const UpdateContext& context, CheckRun& run, const UpdateRecord& record)
{
    if (!IsRecordToCompare(record)) {
        return Outcome::NextRecord;
    }
    const std::string name = record.name.str();
    const std::filesystem::path localFile = context.folders.program / name;
    if (IsCurrent(record, localFile)) {
        return Outcome::NextRecord;
    }
    if (record.kind == UpdateRecord::kProgram) {
        return OfferUpgrade(context);
    }
    // A support file that fails to arrive is fetched again at the next check.
    // One that arrives whole takes the time its record gives: it is the file
    // the record describes, and with the time of its download it would never
    // match the record and would be fetched again at every check.
    if (!run.fetched.insert(name).second) {
        return Outcome::NextRecord;
    }
    if (context.downloader->Download({context.baseAddress + name, localFile, kMaxSupportFileBytes, run.deadline})) {
        const auto info = ReadFileInfo(localFile);
        if (info && static_cast<std::uint32_t>(info->size) == record.size) {
            SetLastWriteTime(localFile, FileTime{static_cast<std::uint64_t>(record.timeHigh) << 32 | record.timeLow});
        }
    }
    return Outcome::NextRecord;
}

} // namespace

bool RunUpdateCheck(const UpdateContext& context)
{
    if (context.downloader == nullptr || context.settings == nullptr || context.desktop == nullptr) {
        return true;
    }
    const auto lastStart = context.settings->LastStartTime();
    context.settings->SetLastStartTime(context.now);
    if (!IsDue(lastStart, context.now) || !MakeProgramFolder(context.folders)) {
        return true;
    }

    CheckRun run{std::chrono::steady_clock::now() + context.timeLimit, {std::string(kDescriptionName)}};
    const std::filesystem::path descriptionFile = context.folders.program / kDescriptionName;
    if (!context.downloader->Download({context.baseAddress + std::string(kDescriptionName), descriptionFile,
                                       kMaxDescriptionBytes, run.deadline})) {
        return true;
    }
    const auto bytes = ReadWholeFile(descriptionFile);
    if (!bytes || bytes->size() > kMaxDescriptionBytes) {
        return true;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    for (const UpdateRecord& record : ReadUpdateDescription(text).records) {
        switch (HandleRecord(context, run, record)) {
        case Outcome::NextRecord:
            break;
        case Outcome::StartProgram:
            return true;
        case Outcome::EndProgram:
            return false;
        }
    }
    return true;
}

} // namespace lk
