// The commands of ledgerkeeper-cli for daily use, run in this process on a store
// of their own: search, generate, edit, the password options of add, and --json.
#include "CliRunner.h"
#include "core/store/AccountRecord.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lk {
namespace {

class DailyCommandsTest : public ::testing::Test
{
protected:
    test::TempFolder temp;
    Folders folders = temp.folders();

    test::CliRun Cli(const std::vector<std::string>& words, const std::string& input = "")
    {
        return test::RunCli(folders, words, input);
    }

    // Three accounts; Post is used most, then Bank.
    void AddThree()
    {
        ASSERT_EQ(Cli({"add", "--name", "Stra\xC3\x9F\x65 Mail", "--url", "https://mail.example", "--user", "anna",
                       "--password", "pw1", "--comment", "line \"one\""})
                      .status,
                  0);
        ASSERT_EQ(Cli({"add", "--name", "Bank", "--url", "https://bank.example", "--user", "ZO\xC3\x8B", "--id", "77",
                       "--password", "pw2"})
                      .status,
                  0);
        ASSERT_EQ(
            Cli({"add", "--name", "Post", "--url", "https://post.example/mail", "--user", "p", "--password", "pw3"})
                .status,
            0);
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(Cli({"login", "Post", "--no-open"}).status, 0);
        }
        ASSERT_EQ(Cli({"login", "Bank", "--no-open"}).status, 0);
    }

    std::string Show(const std::string& name) { return Cli({"show", name, "--json", "--password"}).out; }
};

struct SearchCase
{
    std::string text;
    std::string names;
};

class SearchCommandTest : public DailyCommandsTest, public ::testing::WithParamInterface<SearchCase>
{};

TEST_P(SearchCommandTest, NamesInFrequencyOrder)
{
    AddThree();
    const test::CliRun run = Cli({"search", GetParam().text});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(Texts, SearchCommandTest,
                         ::testing::Values(SearchCase{"MAIL", "Post\nStra\xC3\x9F"
                                                              "e Mail\n"},
                                           SearchCase{"strasse", "Stra\xC3\x9F\x65 Mail\n"},
                                           SearchCase{"zo\xC3\xAB", "Bank\n"},
                                           SearchCase{"example", "Post\nBank\nStra\xC3\x9F"
                                                                 "e Mail\n"},
                                           SearchCase{"pw1", ""}, SearchCase{"nothing", ""}));

TEST_F(DailyCommandsTest, JsonOutputs)
{
    AddThree();
    const std::string mail = "{\"name\": \"Stra\xC3\x9F\x65 Mail\", \"url\": \"https://mail.example\", \"userName\": "
                             "\"anna\", \"accountId\": \"\", \"comment\": \"line \\\"one\\\"\", \"useCount\": 0";
    const std::string bank = "{\"name\": \"Bank\", \"url\": \"https://bank.example\", \"userName\": \"ZO\xC3\x8B\", "
                             "\"accountId\": \"77\", \"comment\": \"\", \"useCount\": 1";
    EXPECT_EQ(Cli({"search", "n", "--json"}).out, "[\n  " + bank + "},\n  " + mail + "}\n]\n");
    EXPECT_EQ(Cli({"search", "none", "--json"}).out, "[]\n");
    EXPECT_EQ(Cli({"show", "Bank", "--json"}).out, bank + "}\n");
    EXPECT_EQ(Show("Bank"), bank + ", \"password\": \"pw2\"}\n");
    const std::string list = Cli({"list", "--order", "alphabet", "--json"}).out;
    EXPECT_EQ(list.find("{\"name\": \"Bank\""), 4u) << list;
    EXPECT_EQ(list.find("password"), std::string::npos);
    EXPECT_EQ(Cli({"show", "Nobody", "--json"}).status, 1);
}

TEST_F(DailyCommandsTest, GenerateDrawsOnePassword)
{
    test::CliRun run = Cli({"generate"});
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.out.size(), 21u);
    EXPECT_EQ(run.out.back(), '\n');
    run = Cli({"generate", "--length", "62", "--no-symbols", "--no-lookalikes"});
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.out.size(), 63u);
    EXPECT_EQ(run.out.find_first_not_of("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(Cli({"generate", "--length", "4"}).out.size(), 5u);
    for (const char* wrong : {"3", "63", "x", "", "20x", "-1"}) {
        EXPECT_EQ(Cli({"generate", "--length", wrong}).status, 2) << wrong;
    }
    EXPECT_EQ(Cli({"generate", "extra"}).status, 2);
}

TEST_F(DailyCommandsTest, EditFollowsTheShownAccountRules)
{
    AddThree();
    // The question is answered No without --yes: nothing written.
    const std::string before = Show("Bank");
    test::CliRun run = Cli({"edit", "Bank", "--url", "https://new.example"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Do you want to save updated account information? No"), std::string::npos) << run.err;
    EXPECT_EQ(Show("Bank"), before);

    run = Cli({"edit", "Bank", "--url", "https://new.example", "--comment", "c", "--yes"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Show("Bank"), "{\"name\": \"Bank\", \"url\": \"https://new.example\", \"userName\": \"ZO\xC3\x8B\", "
                            "\"accountId\": \"77\", \"comment\": \"c\", \"useCount\": 1, \"password\": \"pw2\"}\n");

    // Nothing different: nothing asked, nothing written.
    run = Cli({"edit", "Bank", "--url", "https://new.example"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.find("?"), std::string::npos) << run.err;

    // Emptying two login fields asks the invalid-login question.
    run = Cli({"edit", "Bank", "--user", "", "--id", ""});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Invalid login information... Save anyway? No"), std::string::npos) << run.err;

    // An empty name or URL writes nothing, even with --yes.
    EXPECT_EQ(Cli({"edit", "Bank", "--url", "", "--yes"}).status, 1);
    EXPECT_NE(Show("Bank").find("https://new.example"), std::string::npos);

    // A new name keeps the account's file and its use count.
    EXPECT_EQ(Cli({"edit", "Bank", "--name", "Savings", "--yes"}).status, 0);
    EXPECT_EQ(Cli({"show", "Bank"}).status, 1);
    EXPECT_NE(Show("Savings").find("\"useCount\": 1"), std::string::npos);

    EXPECT_EQ(Cli({"edit", "Nobody", "--yes"}).status, 1);
    EXPECT_EQ(Cli({"edit", "--yes"}).status, 2);
    EXPECT_EQ(Cli({"edit", "Savings", "--password", "visible"}).status, 2) << "edit takes no password in argv";
}

TEST_F(DailyCommandsTest, PasswordsFromStandardInput)
{
    test::CliRun run = Cli({"add", "--name", "Mail", "--url", "m.example", "--user", "a", "--password-stdin"},
                           "s3cret pass\r\nsecond line\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Show("Mail").find("\"password\": \"s3cret pass\""), std::string::npos) << Show("Mail");

    run = Cli({"edit", "Mail", "--password-stdin", "--yes"}, "n3w");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Show("Mail").find("\"password\": \"n3w\""), std::string::npos) << Show("Mail");

    run = Cli({"edit", "Mail", "--password-stdin", "--yes"}, "");
    EXPECT_EQ(run.status, 1) << "no line on standard input";
    EXPECT_NE(Show("Mail").find("\"password\": \"n3w\""), std::string::npos);

    EXPECT_EQ(Cli({"add", "--name", "X", "--url", "x", "--password", "p", "--password-stdin"}, "q\n").status, 2);
    EXPECT_EQ(Cli({"edit", "Mail", "--password-stdin", "--password-prompt"}, "q\n").status, 2);
}

} // namespace
} // namespace lk
