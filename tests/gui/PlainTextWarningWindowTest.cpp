// The window's Export, Export CSV and Printing Format of a protected store ask
// first whether a file of every password in plain text may be made; No stops
// the command, Yes goes on. A store that is not protected asks nothing.
#include "ProtectedAppFixture.h"
#include "core/document/PlainTextWarning.h"
#include "core/ports/Captions.h"
#include "gui/toolkit/CommandIds.h"

namespace lk::test {
namespace {

struct WarningCase
{
    const char* name;
    int command;
    bool protectedStore;
    bool answer;
};

class WindowPlainTextWarningTest : public ProtectedAppFixture, public testing::WithParamInterface<WarningCase>
{};

TEST_P(WindowPlainTextWarningTest, AsksOnlyInAProtectedStoreAndStopsOnNo)
{
    const WarningCase& c = GetParam();
    if (c.protectedStore) {
        ProtectTheStore();
        ASSERT_TRUE(Start({"master"}));
    } else {
        WriteAccount(Named(u"Mail"));
        StartApp();
    }
    SelectInTab(1, u"Mail");
    const std::filesystem::path target = temp.path() / "out.txt";
    desktop.chosenFiles = {target};
    desktop.answers = {c.answer};

    ASSERT_TRUE(Command(c.command));
    Settle();

    const bool goesOn = !c.protectedStore || c.answer;
    std::vector<ScriptedDesktop::Shown> asked;
    if (c.protectedStore) {
        asked.push_back(
            {std::u16string(kPlainTextQuestion), std::u16string(kWarningCaption), DesktopPort::Owner::MainWindow});
    }
    EXPECT_EQ(desktop.questions, asked);
    const bool printing = c.command == cmd::kPrintingFormat;
    EXPECT_EQ(std::filesystem::exists(target), goesOn && !printing);
    EXPECT_EQ(desktop.listings.size(), goesOn && printing ? 1U : 0U);
    // No leaves the account in the form; an export that went on resets it.
    EXPECT_EQ(Form().ShownAccount() != nullptr, !goesOn || printing);
}

INSTANTIATE_TEST_SUITE_P(Commands, WindowPlainTextWarningTest,
                         testing::Values(WarningCase{"ExportUnprotected", cmd::kExport, false, false},
                                         WarningCase{"ExportCsvUnprotected", cmd::kExportCsv, false, false},
                                         WarningCase{"PrintingUnprotected", cmd::kPrintingFormat, false, false},
                                         WarningCase{"ExportYes", cmd::kExport, true, true},
                                         WarningCase{"ExportNo", cmd::kExport, true, false},
                                         WarningCase{"ExportCsvYes", cmd::kExportCsv, true, true},
                                         WarningCase{"ExportCsvNo", cmd::kExportCsv, true, false},
                                         WarningCase{"PrintingYes", cmd::kPrintingFormat, true, true},
                                         WarningCase{"PrintingNo", cmd::kPrintingFormat, true, false}),
                         [](const testing::TestParamInfo<WarningCase>& info) { return info.param.name; });

} // namespace
} // namespace lk::test
