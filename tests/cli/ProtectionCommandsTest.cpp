// The protection commands of ledgerkeeper-cli and the master password every
// other command needs on a protected store, run in this process on a store of
// their own, with master passwords from standard input (--master-stdin).
#include "CliRunner.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/MasterPassword.h"
#include "cli/Store.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace lk {
namespace {

class ProtectionCommandsTest : public ::testing::Test
{
protected:
    test::TempFolder temp;
    Folders folders = temp.folders();

    // Runs one command as the tool's main does with --master-stdin: a protected
    // store is unlocked first for the commands that need it. `input` is standard input.
    test::CliRun Cli(const std::vector<std::string>& words, const std::string& input = "")
    {
        test::CliRun run;
        std::ostringstream out;
        std::ostringstream err;
        std::istringstream in(input);
        const cli::MasterPasswordSource source{true, &in};
        for (const auto& command : cli::AllCommands()) {
            if (command->Name() != words.at(0)) {
                continue;
            }
            cli::Unlocking unlocking;
            if (cli::NeedsUnlockedStore(command->Name())) {
                unlocking = cli::UnlockForCommand(folders, source, err);
            }
            if (unlocking.status != cli::kDone) {
                run.status = unlocking.status;
                break;
            }
            cli::Store store(folders, err, std::move(unlocking.key));
            store.input = &in;
            store.master = source;
            // Tests make key files with the cheapest derivation.
            store.newKeyCost = [] { return KeyDerivationCost::Least(); };
            run.status = test::ExecuteCommand(*command, store, words, out, err);
        }
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    void AddTwo()
    {
        ASSERT_EQ(Cli({"add", "--name", "Bank", "--url", "https://bank.example", "--user", "anna", "--password",
                       "bank-secret"})
                      .status,
                  0);
        ASSERT_EQ(Cli({"add", "--name", "Mail", "--url", "https://mail.example", "--user", "bert", "--password",
                       "mail-secret"})
                      .status,
                  0);
    }

    std::map<std::string, std::vector<std::uint8_t>> AccountFiles() const
    {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const std::string& name : test::FileNames(folders.data)) {
            if (name.ends_with(".dat")) {
                files[name] = test::ReadBytes(folders.data / name);
            }
        }
        return files;
    }

    bool KeyFileExists() const { return ProtectionKeyFile::ExistsIn(folders.data); }
};

TEST_F(ProtectionCommandsTest, ProtectEncryptsEveryAccountFileAndEveryCommandThenNeedsTheMasterPassword)
{
    AddTwo();
    const test::CliRun protect = Cli({"protect"}, "master one\n");
    ASSERT_EQ(protect.status, 0) << protect.err;
    EXPECT_TRUE(KeyFileExists());
    const auto files = AccountFiles();
    ASSERT_EQ(files.size(), 2u);
    for (const auto& [name, bytes] : files) {
        EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes)) << name;
    }

    const test::CliRun none = Cli({"list"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");

    const test::CliRun wrong = Cli({"list"}, "master two\n");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "The master password is not correct.\n");
    EXPECT_EQ(wrong.out, "");

    const test::CliRun right = Cli({"list"}, "master one\n");
    EXPECT_EQ(right.status, 0) << right.err;
    EXPECT_NE(right.out.find("Bank"), std::string::npos);
    EXPECT_NE(right.out.find("Mail"), std::string::npos);
    EXPECT_EQ(AccountFiles(), files);
}

TEST_F(ProtectionCommandsTest, AnAccountPasswordFromStandardInputIsTheLineAfterTheMasterPassword)
{
    ASSERT_EQ(Cli({"protect"}, "master\n").status, 0);
    const test::CliRun add =
        Cli({"add", "--name", "Shop", "--url", "https://shop.example", "--user", "u", "--password-stdin"},
            "master\nshop-secret\n");
    ASSERT_EQ(add.status, 0) << add.err;
    const auto files = AccountFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(ProtectedAccountFile::HasMarker(files.begin()->second));
    const test::CliRun show = Cli({"show", "Shop", "--json", "--password"}, "master\n");
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_NE(show.out.find("shop-secret"), std::string::npos) << show.out;
}

TEST_F(ProtectionCommandsTest, ChangeMasterRewrapsOnlyTheKeyFile)
{
    AddTwo();
    ASSERT_EQ(Cli({"protect"}, "old\n").status, 0);
    const auto files = AccountFiles();
    const test::CliRun wrong = Cli({"change-master"}, "wrong\nnew\n");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "The master password is not correct.\n");
    ASSERT_EQ(Cli({"change-master"}, "old\nnew\n").status, 0);
    EXPECT_EQ(AccountFiles(), files);
    EXPECT_EQ(Cli({"list"}, "old\n").status, 1);
    EXPECT_EQ(Cli({"list"}, "new\n").status, 0);
}

TEST_F(ProtectionCommandsTest, UnprotectWritesEveryFileBackByteForByteAndRemovesTheKeyFile)
{
    AddTwo();
    const auto scrambled = AccountFiles();
    ASSERT_EQ(Cli({"protect"}, "master\n").status, 0);
    const auto protectedFiles = AccountFiles();

    const test::CliRun wrong = Cli({"unprotect"}, "not it\n");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "The master password is not correct.\n");
    EXPECT_EQ(AccountFiles(), protectedFiles);
    EXPECT_TRUE(KeyFileExists());

    ASSERT_EQ(Cli({"unprotect"}, "master\n").status, 0);
    EXPECT_FALSE(KeyFileExists());
    EXPECT_EQ(AccountFiles(), scrambled);
    EXPECT_EQ(Cli({"list"}).status, 0);
}

struct RefusalCase
{
    const char* name;
    std::vector<std::string> words;
    std::string input;
    bool protectFirst;
};

class ProtectionRefusals : public ProtectionCommandsTest, public ::testing::WithParamInterface<RefusalCase>
{};

TEST_P(ProtectionRefusals, ChangeNothing)
{
    AddTwo();
    if (GetParam().protectFirst) {
        ASSERT_EQ(Cli({"protect"}, "master\n").status, 0);
    }
    const auto files = AccountFiles();
    const bool keyFile = KeyFileExists();
    const test::CliRun run = Cli(GetParam().words, GetParam().input);
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(AccountFiles(), files);
    EXPECT_EQ(KeyFileExists(), keyFile);
}

INSTANTIATE_TEST_SUITE_P(
    ProtectionCommands, ProtectionRefusals,
    ::testing::Values(RefusalCase{"protectWithoutAPassword", {"protect"}, "", false},
                      RefusalCase{"protectWithAnEmptyPassword", {"protect"}, "\n", false},
                      RefusalCase{"protectAgainWithAWrongPassword", {"protect"}, "other\n", true},
                      RefusalCase{"changeMasterOfAnUnprotectedStore", {"change-master"}, "a\nb\n", false},
                      RefusalCase{"changeMasterToAnEmptyPassword", {"change-master"}, "master\n\n", true},
                      RefusalCase{"unprotectAnUnprotectedStore", {"unprotect"}, "a\n", false},
                      RefusalCase{"unprotectWithoutAPassword", {"unprotect"}, "", true},
                      RefusalCase{"addWithAWrongMasterPassword",
                                  {"add", "--name", "X", "--url", "x.example", "--password", "p"},
                                  "wrong\n",
                                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProtectionCommandsTest, ProtectionCommandsTakeNoArguments)
{
    EXPECT_EQ(Cli({"protect", "now"}, "m\n").status, 2);
    EXPECT_FALSE(KeyFileExists());
}

} // namespace
} // namespace lk
