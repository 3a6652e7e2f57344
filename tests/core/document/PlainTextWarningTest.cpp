// The question before a file of every password in plain text is made of a
// protected store: Export, Export CSV and Printing Format ask it, No leaves
// everything as it was, Yes goes on as in a store that is not protected, which
// asks nothing.
#include "core/document/PlainTextWarning.h"

#include "core/document/DocumentFixture.h"
#include "core/document/StoreProtection.h"
#include "core/ports/Captions.h"

#include <functional>

namespace lk {
namespace {

using Shown = test::ScriptedDesktop::Shown;

enum class Command
{
    Export,
    ExportCsv,
    PrintingFormat,
};

struct WarningCase
{
    const char* name;
    Command command;
    bool protectedStore;
    bool answer; // the answer to the question, when there is one
    bool asked;  // the question was asked
    bool goesOn; // the command chose its file or showed its listing
};

class PlainTextWarningTest : public test::DocumentFixture
{
protected:
    void Protect()
    {
        ASSERT_EQ(
            ProtectStore(*document, *SecretBuffer::CopyOf(std::string_view("master")), KeyDerivationCost::Least()),
            ProtectionOutcome::Done);
    }

    void Run(Command command)
    {
        switch (command) {
        case Command::Export:
            document->OnExport();
            break;
        case Command::ExportCsv:
            document->OnExportCsv();
            break;
        case Command::PrintingFormat:
            document->OnPrintingFormat();
            break;
        }
    }
};

class PlainTextWarningCaseTest : public PlainTextWarningTest, public testing::WithParamInterface<WarningCase>
{};

TEST_P(PlainTextWarningCaseTest, AProtectedStoreAsksBeforeThePasswordsLeaveIt)
{
    const WarningCase& c = GetParam();
    Stored(test::AccountTexts(u"Mail", "https://mail.example", "me", "", "hunter2"));
    if (c.protectedStore) {
        Protect();
    }
    const std::filesystem::path target = temp.path() / "out.txt";
    desktop.chosenFiles = {target};
    desktop.answers = {c.answer};

    Run(c.command);

    const std::vector<Shown> question{
        {std::u16string(kPlainTextQuestion), std::u16string(kWarningCaption), DesktopPort::Owner::MainWindow}};
    EXPECT_EQ(desktop.questions, c.asked ? question : std::vector<Shown>{});
    EXPECT_TRUE(desktop.messages.empty());
    const bool printing = c.command == Command::PrintingFormat;
    EXPECT_EQ(desktop.saveDialogs.size(), !printing && c.goesOn ? 1U : 0U);
    EXPECT_EQ(std::filesystem::exists(target), !printing && c.goesOn);
    EXPECT_EQ(desktop.listings.size(), printing && c.goesOn ? 1U : 0U);
    // A command that goes on resets the form as it always did; one stopped
    // by No leaves the form and the list alone.
    EXPECT_EQ(form.resets, !printing && c.goesOn ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PlainTextWarningCaseTest,
    testing::Values(
        WarningCase{"ExportOfAnUnprotectedStoreAsksNothing", Command::Export, false, false, false, true},
        WarningCase{"ExportCsvOfAnUnprotectedStoreAsksNothing", Command::ExportCsv, false, false, false, true},
        WarningCase{"PrintingOfAnUnprotectedStoreAsksNothing", Command::PrintingFormat, false, false, false, true},
        WarningCase{"ExportYesGoesOn", Command::Export, true, true, true, true},
        WarningCase{"ExportNoStops", Command::Export, true, false, true, false},
        WarningCase{"ExportCsvYesGoesOn", Command::ExportCsv, true, true, true, true},
        WarningCase{"ExportCsvNoStops", Command::ExportCsv, true, false, true, false},
        WarningCase{"PrintingYesGoesOn", Command::PrintingFormat, true, true, true, true},
        WarningCase{"PrintingNoStops", Command::PrintingFormat, true, false, true, false}),
    [](const testing::TestParamInfo<WarningCase>& info) { return info.param.name; });

TEST_F(PlainTextWarningTest, TheDecisionFollowsTheKeyFileAndTheAnswer)
{
    EXPECT_TRUE(ConfirmPlainTextFile(*document));
    EXPECT_TRUE(desktop.questions.empty());
    Protect();
    desktop.answers = {true, false};
    EXPECT_TRUE(ConfirmPlainTextFile(*document));
    EXPECT_FALSE(ConfirmPlainTextFile(*document));
    EXPECT_EQ(desktop.questions.size(), 2U);
}

} // namespace
} // namespace lk
