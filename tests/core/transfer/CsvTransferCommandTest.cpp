// Import of CSV files and Export CSV as commands of the document: the files,
// the messages and the store around them.
#include "core/document/CsvExportCommand.h"
#include "core/document/DocumentFixture.h"
#include "core/document/ImportCommand.h"
#include "core/store/AccountLine.h"
#include "core/transfer/CsvExport.h"
#include "core/transfer/TransferText.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using test::AccountTexts;
using test::MakeAccount;
using Shown = test::ScriptedDesktop::Shown;

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::string AsString(const std::vector<std::uint8_t>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

unsigned ModeOf(const std::filesystem::path& file)
{
    struct stat info
    {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return info.st_mode & 0777U;
}

Shown Summary(std::u16string text)
{
    return {std::move(text), u"LedgerKeeper - Import", DesktopPort::Owner::None};
}

class CsvTransferCommandTest : public test::DocumentFixture
{
protected:
    std::filesystem::path source = temp.path() / "passwords.csv";
    std::filesystem::path target = temp.path() / "export.csv";

    TransferOutcome Import(const std::vector<std::uint8_t>& bytes)
    {
        test::WriteBytes(source, bytes);
        desktop.chosenFiles = {source};
        return ImportAccounts(*document);
    }

    TransferOutcome ExportCsv(const std::filesystem::path& file)
    {
        desktop.chosenFiles = {file};
        return ExportCsvAccounts(*document);
    }
};

const std::string_view kBrowserExport = "name,url,username,password,note\r\n"
                                        "Mail,https://mail.example,me,pw,\"two\nlines\"\r\n"
                                        ",https://shop.example/cart,you,pw2,\r\n"
                                        ",,nobody,pw3,\r\n";

TEST_F(CsvTransferCommandTest, ImportSavesTheRowsAndSaysWhatItDid)
{
    EXPECT_EQ(Import(Bytes(kBrowserExport)), TransferOutcome::Done);
    EXPECT_EQ(desktop.messages, std::vector<Shown>{Summary(u"Imported 2 accounts; 1 row was skipped.")});
    EXPECT_EQ(DataFiles().size(), 2U);
    EXPECT_EQ(form.resets, 1);
    ASSERT_EQ(document->Accounts().GetCount(), 2) << "the refresh lists both";
    const AccountRecord& mail = *document->Accounts().GetAt(document->Accounts().FindByName(u"Mail"));
    EXPECT_EQ(mail.Comment.view(), u"two\r\nlines");
    EXPECT_EQ(mail.Kind, kKindSaved);
    EXPECT_NE(document->Accounts().FindByName(u"shop.example"), -1);
}

TEST_F(CsvTransferCommandTest, SecondImportOfTheSameFileAddsNothing)
{
    ASSERT_EQ(Import(Bytes(kBrowserExport)), TransferOutcome::Done);
    const std::vector<std::string> files = DataFiles();
    desktop.messages.clear();
    EXPECT_EQ(Import(Bytes(kBrowserExport)), TransferOutcome::Done);
    EXPECT_EQ(DataFiles(), files) << "read back from their files, the accounts are the same";
    EXPECT_EQ(desktop.messages,
              std::vector<Shown>{Summary(u"Imported 0 accounts; 2 were already there; 1 row was skipped.")});
}

// A desktop that notes, at each message, what the form and the list are then.
class WatchingDesktop final : public test::ScriptedDesktop
{
public:
    std::function<void()> atMessage;

    void ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner) override
    {
        atMessage();
        ScriptedDesktop::ShowMessage(text, caption, owner);
    }
};

TEST_F(CsvTransferCommandTest, SummaryComesAfterTheRefresh)
{
    WatchingDesktop watching;
    CReaderDoc watched(DocumentContext{temp.folders(), std::u16string(kUser), &watching, nullptr});
    watched.m_pFormView = &form;
    std::vector<std::pair<int, std::ptrdiff_t>> seen; // the form's resets and the list's size
    watching.atMessage = [&] { seen.emplace_back(form.resets, watched.Accounts().GetCount()); };
    test::WriteBytes(source, Bytes(kBrowserExport));
    watching.chosenFiles = {source};
    ASSERT_EQ(ImportAccounts(watched), TransferOutcome::Done);
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::ptrdiff_t>>{{1, 2}}));
}

TEST_F(CsvTransferCommandTest, FilesSharingANameCanBeImportedAgain)
{
    const std::vector<std::uint8_t> first = Bytes("name,url,password\nNetflix,https://netflix.example,a\n");
    const std::vector<std::uint8_t> second = Bytes("Title,URL,Password\nNetflix,https://www.netflix.example,b\n");
    ASSERT_EQ(Import(first), TransferOutcome::Done);
    ASSERT_EQ(Import(second), TransferOutcome::Done);
    const std::vector<std::string> files = DataFiles();
    ASSERT_EQ(files.size(), 2U);
    desktop.messages.clear();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Import(second), TransferOutcome::Done);
        EXPECT_EQ(Import(first), TransferOutcome::Done);
    }
    EXPECT_EQ(DataFiles(), files);
    EXPECT_EQ(desktop.messages, std::vector<Shown>(4, Summary(u"Imported 0 accounts; 1 was already there.")));
}

TEST_F(CsvTransferCommandTest, FileOfNeitherFormatSaysSo)
{
    Stored(AccountTexts{u"Kept", "k.example", "a", "", "b"});
    const std::vector<std::vector<std::uint8_t>> files = {
        Bytes("Mail https://mail.example me pw\n"),         // 8-bit text without a header
        Bytes("name,url,pass\xE9\nMail,m,pw\n"),            // Latin-1, not UTF-8
        Bytes("name,username\nMail,me\n"),                  // a header without password or URL
        EncodeUtf16Le(u"no line feed in this UTF-16 text"), // not one whole account line
    };
    for (const auto& bytes : files) {
        desktop.messages.clear();
        EXPECT_EQ(Import(bytes), TransferOutcome::Failed);
        EXPECT_EQ(desktop.messages,
                  (std::vector<Shown>{{u"The file is neither an account export nor a CSV file with a header.",
                                       u"LedgerKeeper - Error", DesktopPort::Owner::None}}));
    }
    EXPECT_EQ(DataFiles().size(), 1U);
    EXPECT_EQ(document->Accounts().GetCount(), 1) << "still refreshed";
    EXPECT_EQ(form.resets, 4);
}

TEST_F(CsvTransferCommandTest, AccountLinesImportAsBeforeWithoutASummary)
{
    const AccountRecord mail = MakeAccount({u"password", "url", "me", "", "pw"});
    EXPECT_EQ(Import(EncodeUtf16Le(FormatAccountLine(mail))), TransferOutcome::Done);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(DataFiles().size(), 1U);
    EXPECT_EQ(Import({}), TransferOutcome::Done) << "an export of no accounts";
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(CsvTransferCommandTest, AccountsThatCannotBeSavedAreReportedAfterTheSummary)
{
    test::WriteBytes(source, Bytes(kBrowserExport));
    BreakDataFolder();
    desktop.chosenFiles = {source};
    EXPECT_EQ(ImportAccounts(*document), TransferOutcome::Failed);
    EXPECT_EQ(desktop.messages, (std::vector<Shown>{Summary(u"Imported 0 accounts; 1 row was skipped."),
                                                    {u"Some accounts of the import file could not be saved.",
                                                     u"LedgerKeeper - Error", DesktopPort::Owner::None}}));
}

TEST_F(CsvTransferCommandTest, ExportCsvWritesAPrivateFileInPlaceOfTheOldOne)
{
    Stored(AccountTexts{u"Mail", "https://mail.example", "me", "", "pw", u"l1\r\nl2", 2});
    document->RefreshAccounts();
    test::WriteBytes(target, std::vector<std::uint8_t>(5000, 'x'));
    ::chmod(target.c_str(), 0644);
    EXPECT_EQ(ExportCsv(target), TransferOutcome::Done);

    ASSERT_EQ(desktop.saveDialogs.size(), 1U);
    const DesktopPort::FileDialog& dialog = desktop.saveDialogs.front();
    EXPECT_EQ(dialog.defaultExtension, u"csv");
    EXPECT_EQ(dialog.filter, u"CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||");
    EXPECT_EQ(AsString(test::ReadBytes(target)),
              "name,url,username,password,note\r\nMail,https://mail.example,me,pw,\"l1\r\nl2\"\r\n");
    EXPECT_EQ(ModeOf(target), 0600U) << "the file holds every password";
    EXPECT_EQ(test::FileNames(temp.path()), (std::vector<std::string>{"export.csv", "home"}))
        << "no temporary file is left";
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(form.resets, 1);
}

TEST_F(CsvTransferCommandTest, ExportCsvThatCannotBeWrittenKeepsTheOldFile)
{
    test::WriteBytes(temp.path() / "plain", {'x'});
    EXPECT_EQ(ExportCsv(temp.path() / "plain" / "export.csv"), TransferOutcome::Failed);
    EXPECT_EQ(desktop.messages, (std::vector<Shown>{{u"The export file could not be written.", u"LedgerKeeper - Error",
                                                     DesktopPort::Owner::None}}));
    EXPECT_EQ(test::ReadBytes(temp.path() / "plain"), std::vector<std::uint8_t>{'x'});
    EXPECT_EQ(form.resets, 1);
}

TEST_F(CsvTransferCommandTest, ExportCsvRefusesTheDataFolderAndCancelRefreshes)
{
    EXPECT_EQ(ExportCsv(DataFolder()), TransferOutcome::Refused);
    EXPECT_EQ(desktop.messages, (std::vector<Shown>{{u"LedgerKeeper file is selected. Please retry...",
                                                     u"LedgerKeeper - Error", DesktopPort::Owner::None}}));
    EXPECT_EQ(form.resets, 0);
    EXPECT_EQ(ExportCsvAccounts(*document), TransferOutcome::Cancelled);
    EXPECT_EQ(form.resets, 1);
}

TEST_F(CsvTransferCommandTest, ExportCsvImportedIntoAnEmptyStoreGivesEveryAccountBack)
{
    const std::vector<AccountTexts> accounts = {
        {u"Mail", "https://mail.example", "me", "", "pw", u"", 2},
        {u"A, \"quoted\"", "https://a.example/?x=1,2", "a,b", "", "p\"w", u"l1\r\nl2, \"x\"", 2},
        {u"\u00C4rger \U0001F511", "x.example", "", "", "p\u00E4ss", u"note", 1},
    };
    for (const AccountTexts& account : accounts) {
        Stored(account);
    }
    document->RefreshAccounts();
    ASSERT_EQ(ExportCsv(target), TransferOutcome::Done);

    test::TempFolder other;
    auto empty = NewDocument(other.folders());
    desktop.chosenFiles = {target};
    ASSERT_EQ(ImportAccounts(*empty), TransferOutcome::Done);
    ASSERT_EQ(empty->Accounts().GetCount(), 3);
    for (const AccountTexts& account : accounts) {
        const AccountRecord* back = empty->Accounts().GetAt(empty->Accounts().FindByName(account.name));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->Url.view(), account.url);
        EXPECT_EQ(back->Slots[kUserNameSlot].Value.view(), account.user);
        EXPECT_EQ(back->Slots[kPasswordSlot].Value.view(), account.password);
        EXPECT_EQ(back->Comment.view(), account.comment);
    }
}

TEST_F(CsvTransferCommandTest, DocumentCommandRunsTheCsvExport)
{
    desktop.chosenFiles = {target};
    document->OnExportCsv();
    EXPECT_EQ(AsString(test::ReadBytes(target)), "name,url,username,password,note\r\n");
}

} // namespace
} // namespace lk
