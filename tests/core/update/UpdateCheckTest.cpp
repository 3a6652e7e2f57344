#include "core/update/UpdateCheck.h"

#include "core/platform/FileInfo.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace lk {
namespace {

using test::FileNames;
using test::ReadBytes;
using test::WriteBytes;

const std::string kBase = "http://updates.test/upgrade/LedgerKeeper/1.8/";
const std::string kInstaller = "http://updates.test/Download/LedgerKeeperApp.msi";
const std::u16string kQuestion = u"New version of LedgerKeeper is ready. Upgrade now?";
constexpr std::uint32_t kNow = 1'800'000'000;

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// Serves the files it was given; any other address fails, and so does a file
// longer than the request allows.
class FakeDownloader : public UpdateDownloader
{
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> requested;
    std::vector<DownloadRequest> requests;

    bool Download(const DownloadRequest& request) override
    {
        requested.push_back(request.address);
        requests.push_back(request);
        const auto found = files.find(request.address);
        if (found == files.end() || found->second.size() > request.maxBytes) {
            return false;
        }
        WriteBytes(request.target, Bytes(found->second));
        return true;
    }
};

class FakeSettings : public UpdateSettings
{
public:
    std::optional<std::uint32_t> stored;
    std::optional<std::uint32_t> LastStartTime() override { return stored; }
    void SetLastStartTime(std::uint32_t seconds) override { stored = seconds; }
};

class UpdateDecisions : public testing::Test
{
protected:
    test::TempFolder temp;
    Folders folders = temp.folders();
    FakeDownloader downloader;
    FakeSettings settings;
    test::ScriptedDesktop desktop;

    void SetUp() override { std::filesystem::create_directories(folders.program); }

    bool Run(std::uint32_t now = kNow)
    {
        UpdateContext context;
        context.folders = folders;
        context.baseAddress = kBase;
        context.installerAddress = kInstaller;
        context.now = now;
        context.downloader = &downloader;
        context.settings = &settings;
        context.desktop = &desktop;
        return RunUpdateCheck(context);
    }

    void Describe(const std::string& text) { downloader.files[kBase + "update.dat"] = text; }

    // A local file of the program folder and the description line that matches it.
    std::string LocalFile(int kind, const std::string& name, std::string_view content)
    {
        WriteBytes(folders.program / name, Bytes(content));
        return LineFor(kind, name);
    }

    std::string LineFor(int kind, const std::string& name, std::uint32_t sizeChange = 0, std::uint32_t lowChange = 0,
                        std::uint32_t highChange = 0)
    {
        const auto info = ReadFileInfo(folders.program / name);
        EXPECT_TRUE(info.has_value()) << name;
        char line[160];
        std::snprintf(line, sizeof line, "%d %s %u %x %x\r\n", kind, name.c_str(),
                      static_cast<unsigned>(info->size + sizeChange), info->lastWrite.Low() + lowChange,
                      info->lastWrite.High() + highChange);
        return line;
    }

    std::vector<std::string> Requested(std::initializer_list<const char*> names)
    {
        std::vector<std::string> addresses;
        for (const char* name : names) {
            addresses.push_back(kBase + name);
        }
        return addresses;
    }
};

// --- once a day ---

struct DayCase
{
    const char* label;
    std::optional<std::uint32_t> remembered;
    bool runs;
};

void PrintTo(const DayCase& c, std::ostream* out)
{
    *out << c.label;
}

class UpdateOnceADay : public UpdateDecisions, public testing::WithParamInterface<DayCase>
{};

TEST_P(UpdateOnceADay, RunsOnlyADayAfterThePreviousStartAndAlwaysStoresTheTime)
{
    Describe("");
    settings.stored = GetParam().remembered;

    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested.size(), GetParam().runs ? 1u : 0u);
    EXPECT_EQ(settings.stored, kNow);
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateOnceADay,
                         testing::Values(DayCase{"no time remembered: the first start checks", std::nullopt, true},
                                         DayCase{"a second less than a day ago", kNow - 86399, false},
                                         DayCase{"exactly a day ago", kNow - 86400, true},
                                         DayCase{"a week ago", kNow - 7 * 86400, true},
                                         DayCase{"the same second", kNow, false},
                                         DayCase{"a time in the future", kNow + 5, false},
                                         DayCase{"a time near the end of the 32-bit range", 0xFFFFFFF0u, false}));

// --- comparing with the local files ---

struct CompareCase
{
    const char* label;
    std::uint32_t sizeChange, lowChange, highChange;
    bool current;
};

void PrintTo(const CompareCase& c, std::ostream* out)
{
    *out << c.label;
}

class UpdateComparison : public UpdateDecisions, public testing::WithParamInterface<CompareCase>
{};

TEST_P(UpdateComparison, AFileIsCurrentOnlyWhenSizeAndBothTimeHalvesMatch)
{
    const CompareCase& c = GetParam();
    WriteBytes(folders.program / "helper.dll", Bytes("the local helper library"));
    Describe(LineFor(1, "helper.dll", c.sizeChange, c.lowChange, c.highChange));
    downloader.files[kBase + "helper.dll"] = "the server's helper library";

    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested.size(), c.current ? 1u : 2u);
    EXPECT_TRUE(desktop.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateComparison,
                         testing::Values(CompareCase{"all three match", 0, 0, 0, true},
                                         CompareCase{"the size differs", 1, 0, 0, false},
                                         CompareCase{"the low half of the time differs", 0, 1, 0, false},
                                         CompareCase{"the high half of the time differs", 0, 0, 1, false}));

TEST_F(UpdateDecisions, MissingSupportFileIsDownloadedAndTheNextRecordsAreStillHandled)
{
    Describe("1 first.dll 100 0 0\n" + LocalFile(1, "current.dll", "a current support file") +
             "2 second.dat 100 0 0\n");
    downloader.files[kBase + "first.dll"] = "first from the server";
    // second.dat fails to download: the check goes on and the program starts.

    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested, Requested({"update.dat", "first.dll", "second.dat"}));
    EXPECT_EQ(ReadBytes(folders.program / "first.dll"), Bytes("first from the server"));
    EXPECT_FALSE(std::filesystem::exists(folders.program / "second.dat"));
    EXPECT_TRUE(desktop.questions.empty());
}

TEST_F(UpdateDecisions, ADownloadedSupportFileMatchesItsRecordAtTheNextCheck)
{
    const std::string content = "support file of twenty-nine b";
    Describe("1 help.dll " + std::to_string(content.size()) + " 89abcdef 01d2c3b4\n");
    downloader.files[kBase + "help.dll"] = content;

    EXPECT_TRUE(Run(kNow));
    const auto info = ReadFileInfo(folders.program / "help.dll");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->lastWrite.Low(), 0x89abcdefu);
    EXPECT_EQ(info->lastWrite.High(), 0x01d2c3b4u);

    downloader.requested.clear();
    EXPECT_TRUE(Run(kNow + 2 * 86400));
    EXPECT_EQ(downloader.requested, Requested({"update.dat"}));
}

TEST_F(UpdateDecisions, SmallEmptyAndUnsafeRecordsAreIgnoredWhateverTheLocalFile)
{
    WriteBytes(folders.program / "small.dll", Bytes("x"));
    Describe("1 small.dll 9 0 0\n0 small.dll 9 0 0\n0 missing.exe 9 0 0\n7\n"
             "1 ../outside.dll 100 0 0\n0 ../LedgerKeeper 100 0 0\n1 sub/inside.dll 100 0 0\n1 C:x.dll 100 0 0\n");
    for (const char* name : {"../outside.dll", "sub/inside.dll", "C:x.dll"}) {
        downloader.files[kBase + name] = "should never be fetched";
    }

    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested, Requested({"update.dat"}));
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(FileNames(temp.path() / "home"), std::vector<std::string>{"Program"});
}

TEST_F(UpdateDecisions, CurrentProgramFollowedByAnOutOfDateSupportFileDownloadsWithoutAsking)
{
    Describe(LocalFile(0, "LedgerKeeper", "the program as installed") + "1 helper.dll 100 0 0\n");
    downloader.files[kBase + "helper.dll"] = "helper";

    EXPECT_TRUE(Run());

    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(downloader.requested, Requested({"update.dat", "helper.dll"}));
}

struct UpgradeCase
{
    const char* label;
    bool answer;
    bool goesOn;
    std::vector<std::string> opened;
};

void PrintTo(const UpgradeCase& c, std::ostream* out)
{
    *out << c.label;
}

class UpdateUpgradeQuestion : public UpdateDecisions, public testing::WithParamInterface<UpgradeCase>
{};

TEST_P(UpdateUpgradeQuestion, OutOfDateProgramAsksAndLooksAtNoFurtherRecord)
{
    const UpgradeCase& c = GetParam();
    WriteBytes(folders.program / "LedgerKeeper", Bytes("the program as installed"));
    Describe("1 before.dll 100 0 0\n" + LineFor(0, "LedgerKeeper", 0, 0x10000, 0) + "1 after.dll 100 0 0\n");
    desktop.answers = {c.answer};

    EXPECT_EQ(Run(), c.goesOn);

    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0],
              (test::ScriptedDesktop::Shown{kQuestion, u"Information", DesktopPort::Owner::MainWindow}));
    EXPECT_EQ(desktop.openedAddresses, c.opened);
    EXPECT_EQ(downloader.requested, Requested({"update.dat", "before.dll"}));
    EXPECT_TRUE(desktop.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateUpgradeQuestion,
                         testing::Values(UpgradeCase{"No starts the program", false, true, {}},
                                         UpgradeCase{"Yes opens the installer and ends", true, false, {kInstaller}}));

TEST_F(UpdateDecisions, MissingProgramFileCountsAsOutOfDate)
{
    Describe("0 LedgerKeeper 5000 0 0\n");

    EXPECT_TRUE(Run());

    EXPECT_EQ(desktop.questions.size(), 1u);
}

// --- a misbehaving server ---

TEST_F(UpdateDecisions, ANameListedManyTimesIsFetchedOnce)
{
    std::string description;
    for (int i = 0; i < 2000; ++i) {
        description += "1 again.dll " + std::to_string(100 + i) + " 0 0\n";
    }
    Describe(description + "1 other.dll 100 0 0\n1 update.dat 100 0 0\n");
    downloader.files[kBase + "again.dll"] = "never the size of any record";

    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested, Requested({"update.dat", "again.dll", "other.dll"}));
    EXPECT_EQ(ReadBytes(folders.program / "again.dll"), Bytes("never the size of any record"));
}

TEST_F(UpdateDecisions, EveryDownloadIsBoundedInSizeAndSharesTheDeadlineOfTheWholeCheck)
{
    Describe("1 first.dll 100 0 0\n1 second.dll 100 0 0\n");
    const auto before = std::chrono::steady_clock::now();

    EXPECT_TRUE(Run());

    const auto after = std::chrono::steady_clock::now();
    ASSERT_EQ(downloader.requests.size(), 3u);
    EXPECT_EQ(downloader.requests[0].maxBytes, 1u << 20);
    EXPECT_EQ(downloader.requests[1].maxBytes, 64u << 20);
    EXPECT_EQ(downloader.requests[2].maxBytes, 64u << 20);
    for (const DownloadRequest& request : downloader.requests) {
        EXPECT_EQ(request.deadline, downloader.requests[0].deadline);
    }
    EXPECT_GE(downloader.requests[0].deadline, before + std::chrono::seconds(30));
    EXPECT_LE(downloader.requests[0].deadline, after + std::chrono::seconds(30));
}

TEST_F(UpdateDecisions, DescriptionOverItsBoundIsNotRead)
{
    // The downloader bounds what it fetches; a description file that is larger
    // all the same (put there by hand, say) is not looked at either.
    class OversizedDownloader : public UpdateDownloader
    {
    public:
        int calls = 0;
        bool Download(const DownloadRequest& request) override
        {
            ++calls;
            std::string text(kMaxDescriptionBytes, ' ');
            text += "1 helper.dll 100 0 0\n";
            WriteBytes(request.target, Bytes(text));
            return true;
        }
    } oversized;
    UpdateContext context{folders, kBase, kInstaller, kNow, &oversized, &settings, &desktop};

    EXPECT_TRUE(RunUpdateCheck(context));

    EXPECT_EQ(oversized.calls, 1);
    EXPECT_TRUE(desktop.questions.empty());
}

// --- failures let the program start ---

TEST_F(UpdateDecisions, FailedDescriptionDownloadStartsTheProgram)
{
    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested, Requested({"update.dat"}));
    EXPECT_TRUE(desktop.questions.empty());
}

TEST_F(UpdateDecisions, DescriptionThatIsADirectoryStartsTheProgram)
{
    // The download "succeeds" but leaves no readable file.
    downloader.files.clear();
    std::filesystem::create_directories(folders.program / "update.dat");
    class NothingDownloader : public UpdateDownloader
    {
    public:
        bool Download(const DownloadRequest&) override { return true; }
    } nothing;
    UpdateContext context{folders, kBase, kInstaller, kNow, &nothing, &settings, &desktop};

    EXPECT_TRUE(RunUpdateCheck(context));
    EXPECT_TRUE(desktop.questions.empty());
}

TEST_F(UpdateDecisions, MissingProgramFolderIsCreatedForTheOwnerOnly)
{
    std::filesystem::remove_all(temp.path() / "home");
    Describe("");

    EXPECT_TRUE(Run());

    struct stat info
    {};
    ASSERT_EQ(::stat(folders.program.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(downloader.requested, Requested({"update.dat"}));
}

TEST_F(UpdateDecisions, ProgramFolderThatCannotBeMadeStartsTheProgramWithoutDownloading)
{
    std::filesystem::remove_all(temp.path() / "home");
    WriteBytes(temp.path() / "home", Bytes("a regular file where the product folder must go"));
    Describe("1 helper.dll 100 0 0\n");

    EXPECT_TRUE(Run());

    EXPECT_TRUE(downloader.requested.empty());
    EXPECT_TRUE(desktop.questions.empty());
}

TEST_F(UpdateDecisions, SizeComparesTheLow32BitsOfTheFile)
{
    const auto file = folders.program / "huge.dat";
    WriteBytes(file, {});
    std::error_code error;
    std::filesystem::resize_file(file, (std::uint64_t{1} << 32) + 20, error); // sparse where the file system can
    if (error) {
        GTEST_SKIP() << "no room for a file over 4 GiB here";
    }
    const auto info = ReadFileInfo(file);
    ASSERT_TRUE(info.has_value());
    char line[100];
    std::snprintf(line, sizeof line, "1 huge.dat 20 %x %x\n", info->lastWrite.Low(), info->lastWrite.High());
    Describe(line);

    EXPECT_TRUE(Run());

    EXPECT_EQ(downloader.requested, Requested({"update.dat"}));
}

} // namespace
} // namespace lk
