#include "gui/shell/QtUpdateCheck.h"

#include "LocalHttpServer.h"
#include "core/platform/FileInfo.h"
#include "gui/shell/QtUpdateSettings.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace lk {
namespace {

using namespace std::chrono_literals;
using test::FileNames;
using test::LocalHttpServer;
using test::ReadBytes;
using test::WriteBytes;

const std::string kUpgradePath = "/upgrade/LedgerKeeper/1.8/";
const std::u16string kQuestion = u"New version of LedgerKeeper is ready. Upgrade now?";

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// The whole start-up check as the main window runs it, against a server on
// 127.0.0.1, with the product folder and the settings in temporary places.
class StartupUpdateCheck : public testing::Test
{
protected:
    test::TempFolder temp;
    Folders folders = temp.folders();
    LocalHttpServer server;
    test::ScriptedDesktop desktop;

    void SetUp() override
    {
        ::setenv("LEDGERKEEPER_HOME", folders.product.c_str(), 1);
        UseBase(server.Address(kUpgradePath));
        QSettings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication).clear();
        std::filesystem::create_directories(folders.program);
    }

    void TearDown() override
    {
        ::unsetenv("LEDGERKEEPER_HOME");
        ::unsetenv("LEDGERKEEPER_UPDATE_URL");
    }

    static void UseBase(const std::string& base) { ::setenv("LEDGERKEEPER_UPDATE_URL", base.c_str(), 1); }

    bool Run() { return RunStartupUpdateCheck(desktop, 1s, 30s); }
    // A time-out per download far beyond what the test takes, so that only
    // the bounds under test can end a download.
    bool RunWithCheckLimit(std::chrono::milliseconds checkTimeLimit)
    {
        return RunStartupUpdateCheck(desktop, 60s, checkTimeLimit);
    }

    void Describe(const std::string& text) { server.Serve(kUpgradePath + "update.dat", text); }
    void ServeFile(const std::string& name, const std::string& body) { server.Serve(kUpgradePath + name, body); }

    std::string LocalFile(int kind, const std::string& name, std::string_view content)
    {
        WriteBytes(folders.program / name, Bytes(content));
        const auto info = ReadFileInfo(folders.program / name);
        EXPECT_TRUE(info.has_value());
        char line[160];
        std::snprintf(line, sizeof line, "%d %s %u %x %x\n", kind, name.c_str(), static_cast<unsigned>(info->size),
                      info->lastWrite.Low(), info->lastWrite.High());
        return line;
    }

    std::vector<std::string> Paths(std::initializer_list<const char*> names) const
    {
        std::vector<std::string> paths;
        for (const char* name : names) {
            paths.push_back(kUpgradePath + name);
        }
        return paths;
    }

    // The program folder holds nothing but these files: no temporary file left.
    void ExpectProgramFolderHolds(std::vector<std::string> names) const
    {
        std::sort(names.begin(), names.end());
        EXPECT_EQ(FileNames(folders.program), names);
    }
};

TEST_F(StartupUpdateCheck, SecondStartWithinADayMakesNoRequest)
{
    Describe("");

    EXPECT_TRUE(Run());
    EXPECT_EQ(server.requestedPaths().size(), 1u);

    EXPECT_TRUE(Run());
    EXPECT_EQ(server.requestedPaths().size(), 1u);
    EXPECT_TRUE(desktop.questions.empty());
}

TEST_F(StartupUpdateCheck, UnreachableServerLetsTheProgramStart)
{
    UseBase("http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + kUpgradePath);

    EXPECT_TRUE(Run());

    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_TRUE(desktop.messages.empty());
    ExpectProgramFolderHolds({});
}

TEST_F(StartupUpdateCheck, AllRecordsCurrentFetchesOnlyTheDescription)
{
    Describe(LocalFile(0, "LedgerKeeper", "the program as installed") +
             LocalFile(1, "helper.dll", "a support library, current"));
    ServeFile("helper.dll", "should not be fetched");

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat"}));
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(ReadBytes(folders.program / "helper.dll"), Bytes("a support library, current"));
}

TEST_F(StartupUpdateCheck, OutOfDateSupportFileIsDownloadedAndTheNextRecordsAreHandled)
{
    WriteBytes(folders.program / "old.dll", Bytes("an old support library"));
    Describe("1 old.dll 4000 0 0\n1 missing.dll 100 0 0\n1 absent-on-server.dll 100 0 0\n" +
             LocalFile(0, "LedgerKeeper", "the program as installed") + "2 last.dat 100 0 0\n");
    ServeFile("old.dll", "the new support library");
    ServeFile("missing.dll", "a library the program folder lacked");
    ServeFile("last.dat", "the last record's file");

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(),
              Paths({"update.dat", "old.dll", "missing.dll", "absent-on-server.dll", "last.dat"}));
    EXPECT_EQ(ReadBytes(folders.program / "old.dll"), Bytes("the new support library"));
    EXPECT_EQ(ReadBytes(folders.program / "missing.dll"), Bytes("a library the program folder lacked"));
    EXPECT_EQ(ReadBytes(folders.program / "last.dat"), Bytes("the last record's file"));
    EXPECT_TRUE(desktop.questions.empty());
    ExpectProgramFolderHolds({"update.dat", "old.dll", "missing.dll", "LedgerKeeper", "last.dat"});
}

TEST_F(StartupUpdateCheck, ErrorPagesAndCutAnswersNeverReplaceAFile)
{
    WriteBytes(folders.program / "kept.dll", Bytes("the installed library"));
    WriteBytes(folders.program / "cut.dll", Bytes("the installed library"));
    Describe("1 kept.dll 100 0 0\n1 cut.dll 100 0 0\n1 broken.dll 100 0 0\n");
    server.Serve(kUpgradePath + "kept.dll", "<html>Internal error</html>", 500);
    server.Serve(kUpgradePath + "cut.dll", "only the first part", 200, 100000);
    // broken.dll is not served: 404.

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat", "kept.dll", "cut.dll", "broken.dll"}));
    EXPECT_EQ(ReadBytes(folders.program / "kept.dll"), Bytes("the installed library"));
    EXPECT_EQ(ReadBytes(folders.program / "cut.dll"), Bytes("the installed library"));
    ExpectProgramFolderHolds({"update.dat", "kept.dll", "cut.dll"});
}

TEST_F(StartupUpdateCheck, MissingDescriptionLetsTheProgramStart)
{
    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat"}));
    ExpectProgramFolderHolds({});
}

struct UpgradeCase
{
    const char* label;
    bool answer;
    bool goesOn;
    bool opensInstaller;
};

void PrintTo(const UpgradeCase& c, std::ostream* out)
{
    *out << c.label;
}

class StartupUpgradeQuestion : public StartupUpdateCheck, public testing::WithParamInterface<UpgradeCase>
{};

TEST_P(StartupUpgradeQuestion, OutOfDateProgramAsksUnderInformation)
{
    const UpgradeCase& c = GetParam();
    WriteBytes(folders.program / "LedgerKeeper", Bytes("the program as installed"));
    Describe("0 LedgerKeeper 5000000 1 2\n1 after.dll 100 0 0\n");
    ServeFile("after.dll", "never looked at");
    desktop.answers = {c.answer};

    EXPECT_EQ(Run(), c.goesOn);

    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0],
              (test::ScriptedDesktop::Shown{kQuestion, u"Information", DesktopPort::Owner::MainWindow}));
    EXPECT_EQ(desktop.openedAddresses,
              c.opensInstaller ? std::vector<std::string>{LEDGERKEEPER_INSTALLER_URL} : std::vector<std::string>{});
    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat"}));
    EXPECT_EQ(ReadBytes(folders.program / "LedgerKeeper"), Bytes("the program as installed"));
}

INSTANTIATE_TEST_SUITE_P(Table, StartupUpgradeQuestion,
                         testing::Values(UpgradeCase{"No starts the program", false, true, false},
                                         UpgradeCase{"Yes opens the installer and ends", true, false, true}));

TEST_F(StartupUpdateCheck, NamesLeavingTheProgramFolderWriteNothingOutsideIt)
{
    Describe("1 ../escape.txt 100 0 0\n1 ..\\escape.txt 100 0 0\n1 Account/escape.txt 100 0 0\n"
             "1 /tmp/escape.txt 100 0 0\n1 good.dll 100 0 0\n");
    for (const char* name : {"../escape.txt", "Account/escape.txt"}) {
        ServeFile(name, "escaped");
    }
    server.Serve("/upgrade/LedgerKeeper/escape.txt", "escaped");
    ServeFile("good.dll", "a good library");

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat", "good.dll"}));
    EXPECT_EQ(FileNames(folders.product), std::vector<std::string>{"Program"});
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "escape.txt"));
    ExpectProgramFolderHolds({"update.dat", "good.dll"});
}

TEST_F(StartupUpdateCheck, ServerThatNeverAnswersIsGivenUpAfterTheTimeOut)
{
    server.SetBehaviour(LocalHttpServer::Behaviour::NeverAnswer);

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat"}));
    EXPECT_TRUE(desktop.questions.empty());
    ExpectProgramFolderHolds({});
}

// --- a hostile server ---

struct EndlessCase
{
    const char* label;
    const char* name;
    qint64 declaredLength; // negative: no length announced
    qint64 bound;
};

void PrintTo(const EndlessCase& c, std::ostream* out)
{
    *out << c.label;
}

class StartupEndlessAnswer : public StartupUpdateCheck, public testing::WithParamInterface<EndlessCase>
{};

TEST_P(StartupEndlessAnswer, IsCutOffAtItsBoundAndReplacesNothing)
{
    const EndlessCase& c = GetParam();
    WriteBytes(folders.program / "big.dll", Bytes("the installed library"));
    if (std::string(c.name) == "update.dat") {
        server.StreamEndlessly(kUpgradePath + "update.dat", c.declaredLength);
    } else {
        Describe("1 big.dll 100 0 0\n");
        server.StreamEndlessly(kUpgradePath + c.name, c.declaredLength);
    }

    EXPECT_TRUE(RunWithCheckLimit(60s));

    // Stopped at the bound, long before the time-outs: what the server got rid
    // of is the bound and what the connection buffers, not gigabytes.
    EXPECT_LT(server.streamedBytes(kUpgradePath + c.name), c.bound + (32 << 20));
    EXPECT_EQ(ReadBytes(folders.program / "big.dll"), Bytes("the installed library"));
    if (std::string(c.name) == "update.dat") {
        ExpectProgramFolderHolds({"big.dll"});
    } else {
        ExpectProgramFolderHolds({"big.dll", "update.dat"});
    }
    EXPECT_TRUE(desktop.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupEndlessAnswer,
    testing::Values(EndlessCase{"an endless description", "update.dat", -1, 1 << 20},
                    EndlessCase{"a description announcing 100 GB", "update.dat", 100LL << 30, 1 << 20},
                    EndlessCase{"an endless support file", "big.dll", -1, 64 << 20},
                    EndlessCase{"a support file announcing one byte too many", "big.dll", (64 << 20) + 1, 64 << 20}));

TEST_F(StartupUpdateCheck, SupportFileOfExactlyItsBoundArrives)
{
    const std::string body(64 << 20, 'b');
    Describe("1 big.dll " + std::to_string(body.size()) + " 0 0\n");
    ServeFile("big.dll", body);

    EXPECT_TRUE(RunWithCheckLimit(60s));

    const auto info = ReadFileInfo(folders.program / "big.dll");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->size, body.size());
}

TEST_F(StartupUpdateCheck, SilentServerHoldsTheStartNoLongerThanTheWholeCheck)
{
    Describe("1 a.dll 100 0 0\n1 b.dll 100 0 0\n1 c.dll 100 0 0\n1 d.dll 100 0 0\n");
    for (const char* name : {"a.dll", "b.dll", "c.dll", "d.dll"}) {
        server.Stall(kUpgradePath + name);
    }

    EXPECT_TRUE(RunWithCheckLimit(2s));

    // The first silent download uses up the check's time; no other starts.
    const std::vector<std::string>& requested = server.requestedPaths();
    ASSERT_FALSE(requested.empty());
    EXPECT_EQ(requested.front(), kUpgradePath + "update.dat");
    EXPECT_LE(requested.size(), 2u);
    ExpectProgramFolderHolds({"update.dat"});
}

TEST_F(StartupUpdateCheck, ANameListedTwoThousandTimesIsRequestedOnce)
{
    std::string description;
    for (int i = 0; i < 2000; ++i) {
        description += "1 again.dll " + std::to_string(100 + i) + " 0 0\n";
    }
    Describe(description);
    ServeFile("again.dll", "the server's library");

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat", "again.dll"}));
    EXPECT_EQ(ReadBytes(folders.program / "again.dll"), Bytes("the server's library"));
}

struct RedirectCase
{
    const char* label;
    // Where update.dat is sent: to `other` (another port), to another name of
    // this host, or to another path of this very server.
    enum class To
    {
        OtherPort,
        OtherHostName,
        SameServer,
    } to;
    bool followed;
};

void PrintTo(const RedirectCase& c, std::ostream* out)
{
    *out << c.label;
}

class StartupRedirect : public StartupUpdateCheck, public testing::WithParamInterface<RedirectCase>
{};

TEST_P(StartupRedirect, IsFollowedOnlyToTheSameSchemeHostAndPort)
{
    const RedirectCase& c = GetParam();
    LocalHttpServer other;
    const std::string description = "1 helper.dll 100 0 0\n";
    other.Serve("/moved/update.dat", description);
    server.Serve("/moved/update.dat", description);
    ServeFile("helper.dll", "the helper library");
    std::string location;
    switch (c.to) {
    case RedirectCase::To::OtherPort:
        location = other.Address("/moved/update.dat");
        break;
    case RedirectCase::To::OtherHostName:
        location = "http://localhost:" + server.Address("").substr(std::string("http://127.0.0.1:").size()) +
                   "/moved/update.dat";
        break;
    case RedirectCase::To::SameServer:
        location = "/moved/update.dat";
        break;
    }
    server.Redirect(kUpgradePath + "update.dat", location);

    EXPECT_TRUE(Run());

    EXPECT_TRUE(other.requestedPaths().empty());
    if (c.followed) {
        EXPECT_EQ(server.requestedPaths(), (std::vector<std::string>{kUpgradePath + "update.dat", "/moved/update.dat",
                                                                     kUpgradePath + "helper.dll"}));
        EXPECT_EQ(ReadBytes(folders.program / "update.dat"), Bytes(description));
        ExpectProgramFolderHolds({"update.dat", "helper.dll"});
    } else {
        EXPECT_EQ(server.requestedPaths(), Paths({"update.dat"}));
        ExpectProgramFolderHolds({});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupRedirect,
    testing::Values(RedirectCase{"to another port", RedirectCase::To::OtherPort, false},
                    RedirectCase{"to another name of the host", RedirectCase::To::OtherHostName, false},
                    RedirectCase{"to another path of the server", RedirectCase::To::SameServer, true}));

TEST_F(StartupUpdateCheck, OffDisablesTheCheck)
{
    Describe("0 LedgerKeeper 5000000 1 2\n");
    for (const char* off : {"off", "OFF"}) {
        UseBase(off);
        EXPECT_TRUE(Run()) << off;
    }

    EXPECT_TRUE(server.requestedPaths().empty());
    EXPECT_FALSE(QtUpdateSettings().LastStartTime().has_value());
}

TEST_F(StartupUpdateCheck, BaseAddressWithoutItsFinalSlashStillReachesTheFiles)
{
    UseBase(server.Address("/upgrade/LedgerKeeper/1.8"));
    Describe("");

    EXPECT_TRUE(Run());

    EXPECT_EQ(server.requestedPaths(), Paths({"update.dat"}));
}

TEST(UpdateSettingsInQSettings, RemembersTheStartTimeAndTakesGarbageAsNone)
{
    QSettings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication).clear();
    QtUpdateSettings settings;
    EXPECT_FALSE(settings.LastStartTime().has_value());

    settings.SetLastStartTime(4000000000u);
    EXPECT_EQ(QtUpdateSettings().LastStartTime(), 4000000000u);

    QSettings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication)
        .setValue(QtUpdateSettings::kLastStartKey, "yesterday");
    EXPECT_FALSE(QtUpdateSettings().LastStartTime().has_value());
}

} // namespace
} // namespace lk
