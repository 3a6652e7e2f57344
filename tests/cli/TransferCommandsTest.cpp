// The account commands of ledgerkeeper-cli, run in this process on a store of
// their own: show, add, login, delete, export, import and print.
#include "CliRunner.h"
#include "core/platform/UserName.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace lk {
namespace {

// An account file built here byte by byte, apart from the program's writer: the
// inverted header, then the line scrambled with the user's name.
std::vector<std::uint8_t> HandBuiltAccountFile(std::u16string_view line)
{
    const std::u16string key = CurrentUserName();
    std::vector<std::uint8_t> bytes(36, 0);
    const std::string marker = "__LedgerKeeper__";
    std::copy(marker.begin(), marker.end(), bytes.begin() + 4);
    for (std::size_t i = 0; i < key.size() && i < 16; ++i) {
        bytes[20 + i] = static_cast<std::uint8_t>(key[i]); // user names here are ASCII
    }
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(~b);
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t unit = key.empty() ? line[i] : static_cast<char16_t>(line[i] ^ key[i % key.size()]);
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::string Utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string AsString(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// Two accounts as another writer made them. Beta's comment holds a line break
// and its password a character beyond ASCII.
const std::u16string kAlphaLine = u",Alpha,https://alpha.example,,a,,0,5,9,,2,1,,,pw1,0,,,me,0,,,,0,,,,note,\n";
const std::u16string kBetaLine = u",B\u00EAta,beta.example,,b,,1,1,9,,1,1,,Code,p\u00E4ss,0,,,,0,,,,0,,,,l1\r\nl2,\n";

class TransferCommandsTest : public ::testing::Test
{
protected:
    test::TempFolder temp;
    Folders folders = temp.folders();

    void SetUp() override
    {
        ASSERT_EQ(std::count(kAlphaLine.begin(), kAlphaLine.end(), u','), 28);
        ASSERT_EQ(std::count(kBetaLine.begin(), kBetaLine.end(), u','), 28);
    }

    void WriteIndependentStore()
    {
        test::WriteBytes(folders.data / "a.dat", HandBuiltAccountFile(kAlphaLine));
        test::WriteBytes(folders.data / "b.dat", HandBuiltAccountFile(kBetaLine));
    }

    test::CliRun Cli(const std::vector<std::string>& words) { return test::RunCli(folders, words); }

    std::vector<std::string> DataFiles() const { return test::FileNames(folders.data); }
};

TEST_F(TransferCommandsTest, ShowPrintsTheFormsBoxes)
{
    WriteIndependentStore();
    test::CliRun run = Cli({"show", "Alpha"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Account: Alpha\nURL: https://alpha.example\nUser Name: me\nAccount ID: \n"
                       "Password: ********\nComment: note\nUses: 5\n");
    run = Cli({"show", "B\xC3\xAAta", "--password"});
    EXPECT_EQ(run.out, "Account: B\xC3\xAAta\nURL: beta.example\nUser Name: \nAccount ID: \n"
                       "Password: p\xC3\xA4ss\nComment: l1\r\nl2\nUses: 1\n");
    run = Cli({"show", "alpha"});
    EXPECT_EQ(run.status, 1) << "names are compared exactly";
    EXPECT_EQ(run.out, "");
}

TEST_F(TransferCommandsTest, AddFollowsTheNewAccountRules)
{
    test::CliRun run = Cli({"add", "--name", "Mail", "--user", "me", "--password", "pw"});
    EXPECT_EQ(run.status, 1) << "no URL";
    EXPECT_TRUE(DataFiles().empty());

    run = Cli({"add", "--name", "Mail", "--url", "mail.example", "--password", "pw"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Invalid login information... Save anyway? No"), std::string::npos) << run.err;
    EXPECT_TRUE(DataFiles().empty());

    run = Cli({"add", "--name", "Mail", "--url", "mail.example", "--password", "pw", "--yes"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(DataFiles().size(), 1U);

    run =
        Cli({"add", "--name", "Bank", "--url", "bank.example", "--id", "4711", "--password", "s", "--comment", "a, b"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "") << "two login fields: no question";
    run = Cli({"show", "Bank", "--password"});
    EXPECT_EQ(run.out, "Account: Bank\nURL: bank.example\nUser Name: \nAccount ID: \nPassword: s\n"
                       "Comment: a, b\nUses: 0\n")
        << "the account ID sits in slot 2, beyond the two slots in use";
}

// A stand-in for the desktop's opener, found first on PATH, that notes what it was given.
class OpenerTest : public TransferCommandsTest
{
protected:
    std::filesystem::path opened = temp.path() / "opened";
    std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";

    void SetUp() override
    {
        TransferCommandsTest::SetUp();
        const std::filesystem::path bin = temp.path() / "bin";
        const std::string script = "#!/bin/sh\nprintf '%s' \"$1\" >> '" + opened.string() + "'\n";
        test::WriteBytes(bin / "xdg-open", std::vector<std::uint8_t>(script.begin(), script.end()));
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        ::setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", oldPath.c_str(), 1); }

    std::string Opened() const { return AsString(test::ReadBytes(opened)); }
};

TEST_F(OpenerTest, LoginCountsSavesPrintsAndOpens)
{
    WriteIndependentStore();
    test::CliRun run = Cli({"login", "Alpha"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "https://alpha.example?LedgerAt=Alpha\n");
    EXPECT_EQ(Opened(), "https://alpha.example?LedgerAt=Alpha");
    EXPECT_NE(Cli({"show", "Alpha"}).out.find("Uses: 6\n"), std::string::npos);

    run = Cli({"login", "B\xC3\xAAta"});
    EXPECT_EQ(run.out, "beta.example?LedgerAt=B\xC3\xAAta\n");
    EXPECT_EQ(Opened(), "https://alpha.example?LedgerAt=Alpha"
                        "http://beta.example?LedgerAt=B\xC3\xAAta");
}

TEST_F(OpenerTest, LoginWithoutOpeningOpensNothing)
{
    WriteIndependentStore();
    const test::CliRun run = Cli({"login", "Alpha", "--no-open"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "https://alpha.example?LedgerAt=Alpha\n");
    EXPECT_FALSE(std::filesystem::exists(opened));
    EXPECT_NE(Cli({"show", "Alpha"}).out.find("Uses: 6\n"), std::string::npos);
}

TEST_F(OpenerTest, LoginNeverOpensALocalProgram)
{
    ASSERT_EQ(Cli({"add", "--name", "Evil", "--url", "javascript:alert(1)", "--user", "a", "--password", "b"}).status,
              0);
    const test::CliRun run = Cli({"login", "Evil"});
    EXPECT_EQ(run.out, "javascript:alert(1)?LedgerAt=Evil\n");
    EXPECT_FALSE(std::filesystem::exists(opened));
    EXPECT_EQ(Cli({"login", "Nobody"}).status, 1);
}

TEST_F(TransferCommandsTest, DeleteAsksAndNeedsYes)
{
    WriteIndependentStore();
    test::CliRun run = Cli({"delete", "Alpha"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Are you sure that you want to delete this account? No"), std::string::npos) << run.err;
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"a.dat", "b.dat"}));
    run = Cli({"delete", "Alpha", "--yes"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"b.dat"});
    EXPECT_EQ(Cli({"delete", "Alpha", "--yes"}).status, 1);
}

TEST_F(TransferCommandsTest, PrintGivesTheListingBytesAndLeavesNoFile)
{
    WriteIndependentStore();
    const test::CliRun run = Cli({"print"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\r\n=== LedgerKeeper Account List Start ===\r\n\r\n"
                       "\r\n----------------------------------------------\r\n"
                       "Account Name:\tAlpha\r\n"
                       "Account URL:\thttps://alpha.example"
                       "\r\n:\tpw1"
                       "\r\n:\tme"
                       "\r\nAccount Note:     note\r\n"
                       "\r\n----------------------------------------------\r\n"
                       "Account Name:\tB\xC3\xAAta\r\n"
                       "Account URL:\tbeta.example"
                       "\r\nCode:\tp\xC3\xA4ss"
                       "\r\nAccount Note:     l1\r\nl2\r\n"
                       "\r\n\r\n=== LedgerKeeper Account List End ===\r\n\r\n");
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"a.dat", "b.dat"})) << "the listing file is gone";
}

TEST_F(TransferCommandsTest, ExportWritesTheLinesOfTheStore)
{
    WriteIndependentStore();
    const std::filesystem::path file = temp.path() / "out.txt";
    const test::CliRun run = Cli({"export", file.string()});
    EXPECT_EQ(run.status, 0);
    // Alpha first (more uses); Beta's line break is carried inside its field.
    EXPECT_EQ(
        AsString(test::ReadBytes(file)),
        Utf16Le(kAlphaLine + u",B\u00EAta,beta.example,,b,,1,1,9,,1,1,,Code,p\u00E4ss,0,,,,0,,,,0,,,,l1\r\uE00Al2,\n"));
}

TEST_F(TransferCommandsTest, ExportAndImportRefuseTheDataFolder)
{
    WriteIndependentStore();
    test::CliRun run = Cli({"export", folders.data.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("LedgerKeeper file is selected. Please retry..."), std::string::npos);
    run = Cli({"import", folders.data.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Invalid selection to LedgerKeeper import file. Please retry..."), std::string::npos);
    run = Cli({"import", (temp.path() / "missing.txt").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The import file could not be read."), std::string::npos);
}

TEST_F(TransferCommandsTest, ImportAddsWhatTheStoreLacks)
{
    const std::filesystem::path file = temp.path() / "in.txt";
    const std::string text = Utf16Le(kAlphaLine + kBetaLine.substr(0, kBetaLine.find(u"l1")) + u"l1\r\uE00Al2,\n");
    test::WriteBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(Cli({"import", file.string()}).status, 0);
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"a.dat", "b.dat"})) << "each line keeps its stem";
    EXPECT_EQ(Cli({"show", "B\xC3\xAAta"}).out.find("Comment: l1\r\nl2\n") != std::string::npos, true);
    EXPECT_EQ(Cli({"import", file.string()}).status, 0);
    EXPECT_EQ(DataFiles().size(), 2U);
    EXPECT_EQ(Cli({"list"}).out, "Alpha\nB\xC3\xAAta\n");
}

TEST_F(TransferCommandsTest, ImportOfACsvFileSaysWhatItDidOnStandardError)
{
    const std::filesystem::path file = temp.path() / "passwords.csv";
    const std::string csv = "url,username,password,httpRealm\n"
                            "https://mail.example/in,me,pw,\n"
                            ",,lost,\n";
    test::WriteBytes(file, std::vector<std::uint8_t>(csv.begin(), csv.end()));
    test::CliRun run = Cli({"import", file.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Imported 1 account; 1 row was skipped.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Cli({"show", "mail.example", "--password"}).out,
              "Account: mail.example\nURL: https://mail.example/in\nUser Name: me\nAccount ID: \n"
              "Password: pw\nComment: \nUses: 0\n");
    run = Cli({"import", file.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Imported 0 accounts; 1 was already there; 1 row was skipped.\n");
}

TEST_F(TransferCommandsTest, ImportOfAFileOfNeitherFormatFails)
{
    const std::filesystem::path file = temp.path() / "notes.txt";
    const std::string text = "just some 8-bit notes\n";
    test::WriteBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    const test::CliRun run = Cli({"import", file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The file is neither an account export nor a CSV file with a header.\n");
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(TransferCommandsTest, ExportAsCsvWritesTheAccountsAsRows)
{
    WriteIndependentStore();
    const std::filesystem::path file = temp.path() / "out.csv";
    const test::CliRun run = Cli({"export", "--csv", file.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // Beta's single slot in use is its password: its user name field is not shown.
    EXPECT_EQ(AsString(test::ReadBytes(file)), "name,url,username,password,note\r\n"
                                               "Alpha,https://alpha.example,me,pw1,note\r\n"
                                               "B\xC3\xAAta,beta.example,,p\xC3\xA4ss,\"l1\r\nl2\"\r\n");
    EXPECT_EQ(Cli({"export", "--csv", folders.data.string()}).status, 1);
}

TEST_F(TransferCommandsTest, OnlyExportTakesCsv)
{
    std::ostringstream out;
    std::ostringstream err;
    cli::Store store(folders, err);
    for (const auto& command : cli::AllCommands()) {
        if (command->Name() == "import") {
            EXPECT_THROW(command->Execute(store, {"--csv", (temp.path() / "x.csv").string()}, out, err),
                         cli::UsageError);
        }
    }
}

} // namespace
} // namespace lk
