#include "core/transfer/AccountExport.h"

#include "core/document/DocumentFixture.h"
#include "core/document/ExportCommand.h"
#include "core/store/AccountLine.h"
#include "core/transfer/TransferText.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using test::AccountTexts;
using test::MakeAccount;
using Shown = test::ScriptedDesktop::Shown;

std::unique_ptr<AccountRecord> Owned(AccountRecord record)
{
    return std::make_unique<AccountRecord>(record);
}

TEST(ExportTextTest, WritesEveryNamedAccountThatIsNotHidden)
{
    AccountList list;
    AccountRecord hidden = MakeAccount({u"Hidden", "h.example"});
    hidden.Kind = kKindHidden;
    list.Add(Owned(MakeAccount({u"First", "a.example", "me", "", "pw"})));
    list.Add(Owned(hidden));
    list.Add(Owned(MakeAccount({u"", "nameless.example"})));
    list.Add(Owned(MakeAccount({u"NoSlots", "b.example", "", "", "", u"", 0})));

    const std::u16string text = ExportText(list);
    EXPECT_EQ(text, FormatAccountLine(*list.GetAt(0)) + FormatAccountLine(*list.GetAt(3)));
    EXPECT_EQ(text.substr(text.size() - 2), u",\n");
    EXPECT_EQ(text.find(u'\r'), std::u16string::npos);
    EXPECT_EQ(ExportText(AccountList()), u"");
}

class ExportCommandTest : public test::DocumentFixture
{
protected:
    std::filesystem::path target = temp.path() / "export.txt";

    void SetUp() override
    {
        Stored({u"Mail", "mail.example", "me", "", "pw", u"line 1\r\nline 2"});
        Stored({u"Bank", "bank.example", "", "4711", "secret"});
        document->RefreshAccounts();
    }

    std::vector<std::uint8_t> Expected() const { return EncodeUtf16Le(ExportText(document->Accounts())); }
};

TEST_F(ExportCommandTest, WritesTheListIntoTheChosenFile)
{
    const std::vector<std::uint8_t> expected = Expected();
    desktop.chosenFiles = {target};
    EXPECT_EQ(ExportAccounts(*document), TransferOutcome::Done);

    ASSERT_EQ(desktop.saveDialogs.size(), 1U);
    const DesktopPort::FileDialog& dialog = desktop.saveDialogs.front();
    EXPECT_EQ(dialog.defaultExtension, u"txt");
    EXPECT_EQ(dialog.initialName, u"*.txt");
    EXPECT_EQ(dialog.filter, u"File Type (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_TRUE(dialog.askBeforeCreating);
    EXPECT_FALSE(dialog.fileMustExist);

    const auto bytes = test::ReadBytes(target);
    EXPECT_EQ(bytes, expected);
    ASSERT_GE(bytes.size(), 2U);
    EXPECT_NE(bytes[0], 0xFF) << "no byte-order mark";
    struct stat info
    {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600U) << "the file holds every password";
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(form.resets, 1) << "the form lets go of the record the refresh freed";
}

TEST_F(ExportCommandTest, WritesTheListAsItStandsAndReplacesAnExistingFile)
{
    test::WriteBytes(target, std::vector<std::uint8_t>(5000, 'x'));
    document->Accounts().Add(Owned(MakeAccount({u"OnlyInMemory", "m.example", "a", "b", "c"})));
    const std::vector<std::uint8_t> expected = Expected();
    desktop.chosenFiles = {target};
    EXPECT_EQ(ExportAccounts(*document), TransferOutcome::Done);
    EXPECT_EQ(test::ReadBytes(target), expected) << "the list is not reloaded first";
    EXPECT_TRUE(desktop.questions.empty()) << "no question before replacing";
    EXPECT_EQ(document->Accounts().FindByName(u"OnlyInMemory"), -1) << "but refreshed afterwards";
}

TEST_F(ExportCommandTest, CancelStillRefreshes)
{
    document->Accounts().Add(Owned(MakeAccount({u"OnlyInMemory", "m.example", "a", "b", "c"})));
    EXPECT_EQ(ExportAccounts(*document), TransferOutcome::Cancelled);
    EXPECT_EQ(document->Accounts().FindByName(u"OnlyInMemory"), -1);
    EXPECT_EQ(form.resets, 1);
}

TEST_F(ExportCommandTest, RefusesTheDataFolderWithoutRefreshing)
{
    document->Accounts().Add(Owned(MakeAccount({u"OnlyInMemory", "m.example", "a", "b", "c"})));
    std::string upper = DataFolder().string();
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (const std::filesystem::path& chosen : {DataFolder(), DataFolder() / "", std::filesystem::path(upper)}) {
        desktop.chosenFiles = {chosen};
        EXPECT_EQ(ExportAccounts(*document), TransferOutcome::Refused) << chosen;
    }
    EXPECT_EQ(desktop.messages, std::vector<Shown>(3, Shown{u"LedgerKeeper file is selected. Please retry...",
                                                            u"LedgerKeeper - Error", DesktopPort::Owner::None}));
    EXPECT_NE(document->Accounts().FindByName(u"OnlyInMemory"), -1);
    EXPECT_EQ(form.resets, 0);
}

TEST_F(ExportCommandTest, UnwritableFileIsReportedAndStillRefreshes)
{
    test::WriteBytes(temp.path() / "plain", {'x'});
    desktop.chosenFiles = {temp.path() / "plain" / "export.txt"};
    EXPECT_EQ(ExportAccounts(*document), TransferOutcome::Failed);
    EXPECT_EQ(desktop.messages, (std::vector<Shown>{{u"The export file could not be written.", u"LedgerKeeper - Error",
                                                     DesktopPort::Owner::None}}));
    EXPECT_EQ(form.resets, 1);
}

TEST_F(ExportCommandTest, DocumentCommandRunsTheExport)
{
    const std::vector<std::uint8_t> expected = Expected();
    desktop.chosenFiles = {target};
    document->OnExport();
    EXPECT_EQ(test::ReadBytes(target), expected);
}

} // namespace
} // namespace lk
