#include "core/transfer/AccountImport.h"

#include "core/document/DocumentFixture.h"
#include "core/document/ImportCommand.h"
#include "core/store/AccountLine.h"
#include "core/transfer/TransferText.h"

#include <gtest/gtest.h>
#include <random>

namespace lk {
namespace {

using test::AccountTexts;
using test::MakeAccount;
using Shown = test::ScriptedDesktop::Shown;

std::u16string Line(const AccountRecord& record)
{
    return FormatAccountLine(record);
}

std::u16string Line(const AccountTexts& texts)
{
    return Line(MakeAccount(texts));
}

std::vector<std::u16string> Names(const AccountList& list)
{
    std::vector<std::u16string> names;
    for (const auto& record : list) {
        names.push_back(record->AccountName.str());
    }
    return names;
}

// ---- The walk over the lines

struct MergeCase
{
    const char* name;
    std::vector<AccountRecord> held; // the list before the walk
    std::u16string text;
    std::vector<std::u16string> names; // the list after it
};

AccountRecord Variant(const AccountTexts& texts, void (*change)(AccountRecord&))
{
    AccountRecord record = MakeAccount(texts);
    change(record);
    return record;
}

const AccountTexts kMail{u"Mail", "mail.example", "me", "", "pw", u"note", 2};

std::vector<MergeCase> MergeCases()
{
    const AccountRecord mail = MakeAccount(kMail);
    const AccountRecord otherUrl = Variant(kMail, [](AccountRecord& r) { r.Url = "other.example"; });
    const AccountRecord hidden = Variant(kMail, [](AccountRecord& r) { r.Kind = kKindHidden; });
    const std::u16string line = Line(otherUrl);
    const std::u16string lastWithoutFeed = line.substr(0, line.size() - 1);
    const std::u16string crlf = lastWithoutFeed + u"\r\n";
    return {
        {"SameAccountIsHeld", {mail}, Line(mail), {u"Mail"}},
        {"OnlyUseCountStemAndOrderDiffer",
         {mail},
         Line(Variant(kMail,
                      [](AccountRecord& r) {
                          r.UseCount = 99;
                          r.SortIndex = 5;
                          r.FileStem = "elsewhere";
                      })),
         {u"Mail"}},
        {"OtherUrlIsImported", {mail}, Line(otherUrl), {u"Mail", u"Mail"}},
        {"TwoIdenticalLinesGiveOne", {}, Line(mail) + Line(mail), {u"Mail"}},
        {"LaterLinesSeeEarlierOnes", {}, Line(mail) + Line(otherUrl) + Line(mail), {u"Mail", u"Mail"}},
        {"OnlyTheFirstOfANameIsCompared", {otherUrl, mail}, Line(mail), {u"Mail", u"Mail", u"Mail"}},
        {"HiddenNamelessAndBrokenLinesAreSkipped",
         {},
         Line(hidden) + Line(AccountTexts{u"", "x.example"}) + u"no fields\n" + Line(AccountTexts{u"Kept", "k"}),
         {u"Kept"}},
        {"TextAfterTheLastLineFeedIsNotRead", {}, Line(mail) + lastWithoutFeed, {u"Mail"}},
        {"CarriageReturnAfterTheLastCommaChangesNothing", {mail}, crlf, {u"Mail", u"Mail"}},
        {"CarriageReturnLineIsTheSameAccount", {otherUrl}, crlf, {u"Mail"}},
        {"EightBitTextHasNoLines", {}, u"\u614d\u6c69\u6d2c\u6961", {}},
        {"NameIsCaseSensitive",
         {mail},
         Line(Variant(kMail, [](AccountRecord& r) { r.AccountName = u"MAIL"; })),
         {u"Mail", u"MAIL"}},
    };
}

class MergeAccountLinesTest : public ::testing::TestWithParam<MergeCase>
{};

TEST_P(MergeAccountLinesTest, AddsWhatTheListDoesNotHold)
{
    const MergeCase& c = GetParam();
    AccountList list;
    for (const AccountRecord& record : c.held) {
        list.Add(std::make_unique<AccountRecord>(record));
    }
    std::vector<AccountRecord*> saved;
    const std::size_t added = MergeAccountLines(c.text, list, [&](AccountRecord& record) { saved.push_back(&record); });
    EXPECT_EQ(Names(list), c.names);
    EXPECT_EQ(added, c.names.size() - c.held.size());
    ASSERT_EQ(saved.size(), added);
    for (std::size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(saved[i], list.GetAt(static_cast<std::ptrdiff_t>(c.held.size() + i))) << "saved once in the list";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, MergeAccountLinesTest, ::testing::ValuesIn(MergeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The walk keeps an index of first names instead of searching the list for
// every line; it must decide exactly as a search with FindByName does.
TEST(MergeAccountLinesTest, DecidesAsASearchOfTheWholeListWould)
{
    std::mt19937 random(1234);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 50; ++round) {
        AccountList list;
        AccountList reference;
        std::u16string text;
        for (int i = 0; i < 40; ++i) {
            AccountRecord record = MakeAccount({std::u16string(1, static_cast<char16_t>(u'A' + pick(4))),
                                                std::string(1, static_cast<char>('a' + pick(3)))});
            if (i < 10) {
                list.Add(std::make_unique<AccountRecord>(record));
                reference.Add(std::make_unique<AccountRecord>(record));
            } else {
                text += Line(record);
            }
        }
        MergeAccountLines(text, list, [](AccountRecord&) {});
        for (std::size_t start = 0, feed; (feed = text.find(u'\n', start)) != std::u16string::npos; start = feed + 1) {
            auto record = std::make_unique<AccountRecord>();
            ASSERT_TRUE(ParseAccountLine(text.substr(start, feed + 1 - start), *record));
            const AccountRecord* first = reference.GetAt(reference.FindByName(record->AccountName.view()));
            if (first == nullptr || !IsSameAccount(*first, *record)) {
                reference.Add(std::move(record));
            }
        }
        ASSERT_EQ(list.GetCount(), reference.GetCount());
        for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
            EXPECT_TRUE(IsSameAccount(*list.GetAt(i), *reference.GetAt(i)));
        }
    }
}

TEST(ImportTextTest, EndsAtTheFirstZeroUnitAndIgnoresAnOddByte)
{
    EXPECT_EQ(DecodeUtf16Le(std::vector<std::uint8_t>{'a', 0, 'b', 0, 0, 0, 'c', 0}), u"ab");
    EXPECT_EQ(DecodeUtf16Le(std::vector<std::uint8_t>{'a', 0, 0x3D, 0xD8, 0x00, 0xDE, 'x'}), u"a\U0001F600");
    EXPECT_EQ(EncodeUtf16Le(u"a\u20AC"), (std::vector<std::uint8_t>{'a', 0, 0xAC, 0x20}));
}

// The line with the text of its FileStem field replaced.
std::u16string WithStem(const std::u16string& line, std::u16string_view stem, std::u16string_view replacement)
{
    std::size_t start = 0;
    for (int field = 0; field < 4; ++field) {
        start = line.find(u',', start) + 1;
    }
    EXPECT_EQ(line.substr(start, stem.size()), stem);
    return line.substr(0, start) + std::u16string(replacement) + line.substr(start + stem.size());
}

// ---- The command

class ImportCommandTest : public test::DocumentFixture
{
protected:
    std::filesystem::path source = temp.path() / "import.txt";

    void WriteSource(const std::u16string& text) { test::WriteBytes(source, EncodeUtf16Le(text)); }

    TransferOutcome Import(const std::filesystem::path& file)
    {
        desktop.chosenFiles = {file};
        return ImportAccounts(*document);
    }
};

TEST_F(ImportCommandTest, SavesEveryNewAccountAndRefreshes)
{
    const std::string stem = Stored(kMail);
    WriteSource(Line(MakeAccount(kMail)) + Line(AccountTexts{u"Bank", "bank.example", "", "4711", "secret"}));
    EXPECT_EQ(Import(source), TransferOutcome::Done);

    ASSERT_EQ(desktop.openDialogs.size(), 1U);
    const DesktopPort::FileDialog& dialog = desktop.openDialogs.front();
    EXPECT_EQ(dialog.defaultExtension, u"txt");
    EXPECT_EQ(dialog.initialName, u"*.txt");
    EXPECT_EQ(dialog.filter, u"File Type (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_TRUE(dialog.fileMustExist);
    EXPECT_TRUE(dialog.pathMustExist);
    EXPECT_FALSE(dialog.askBeforeCreating);

    EXPECT_EQ(DataFiles().size(), 2U) << "the held account adds no file";
    EXPECT_EQ(document->Accounts().GetCount(), 2);
    EXPECT_NE(document->Accounts().FindByName(u"Bank"), -1);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(form.resets, 1) << "the form lets go of the record the refresh freed";
}

TEST_F(ImportCommandTest, LineCarryingAStoredStemReplacesThatAccount)
{
    const std::string stem = Stored(kMail);
    AccountRecord changed = MakeAccount(kMail);
    changed.Url = "new.example";
    changed.FileStem = stem;
    WriteSource(Line(changed));
    Import(source);
    EXPECT_EQ(DataFiles(), std::vector<std::string>{stem + ".dat"});
    EXPECT_EQ(LoadedStem(stem).value().Url.view(), "new.example");
}

TEST_F(ImportCommandTest, UnusableStemsGetNewFilesInsideTheDataFolder)
{
    AccountRecord up = MakeAccount({u"Up", "up.example", "a", "b", "c"});
    up.FileStem = "x";
    const std::u16string text = WithStem(Line(up), u"x", u"../x");
    AccountRecord inner = MakeAccount({u"Inner", "in.example", "a", "b", "c"});
    inner.FileStem = "b";
    const std::u16string second = WithStem(Line(inner), u"b", u"a/b");
    std::filesystem::create_directories(DataFolder() / "a");
    WriteSource(text + second);

    const auto outside = test::FileNames(temp.path());
    const auto home = test::FileNames(temp.path() / "home");
    EXPECT_EQ(Import(source), TransferOutcome::Done);
    EXPECT_EQ(test::FileNames(temp.path()), outside);
    EXPECT_EQ(test::FileNames(temp.path() / "home"), home);
    EXPECT_TRUE(test::FileNames(DataFolder() / "a").empty());
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "home" / "x.dat"));

    std::vector<std::u16string> names;
    for (const AccountRecord& record : Loaded()) {
        names.push_back(record.AccountName.str());
        EXPECT_TRUE(std::filesystem::is_regular_file(DataFolder() / (record.FileStem.str() + ".dat")));
        EXPECT_EQ(record.FileStem.view().find('/'), std::string_view::npos);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Inner", u"Up"}));
}

TEST_F(ImportCommandTest, CancelStillRefreshes)
{
    document->Accounts().Add(std::make_unique<AccountRecord>(MakeAccount({u"OnlyInMemory", "m"})));
    EXPECT_EQ(ImportAccounts(*document), TransferOutcome::Cancelled);
    EXPECT_EQ(document->Accounts().GetCount(), 0);
    EXPECT_EQ(form.resets, 1);
}

TEST_F(ImportCommandTest, RefusesTheDataFolderWithoutRefreshing)
{
    document->Accounts().Add(std::make_unique<AccountRecord>(MakeAccount({u"OnlyInMemory", "m"})));
    std::string lower = DataFolder().string();
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(Import(lower), TransferOutcome::Refused);
    EXPECT_EQ(desktop.messages, (std::vector<Shown>{{u"Invalid selection to LedgerKeeper import file. Please retry...",
                                                     u"Error", DesktopPort::Owner::None}}));
    EXPECT_EQ(document->Accounts().GetCount(), 1);
    EXPECT_EQ(form.resets, 0);
}

TEST_F(ImportCommandTest, UnreadableFileIsReportedAndStillRefreshes)
{
    for (const std::filesystem::path& file : {temp.path() / "missing.txt", temp.path()}) {
        desktop.messages.clear();
        EXPECT_EQ(Import(file), TransferOutcome::Failed) << file;
        EXPECT_EQ(desktop.messages, (std::vector<Shown>{{u"The import file could not be read.", u"LedgerKeeper - Error",
                                                         DesktopPort::Owner::None}}));
    }
    EXPECT_EQ(form.resets, 2);
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(ImportCommandTest, ReadOnlyFileIsImported)
{
    WriteSource(Line(kMail));
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    EXPECT_EQ(Import(source), TransferOutcome::Done);
    EXPECT_EQ(DataFiles().size(), 1U);
}

TEST_F(ImportCommandTest, DocumentCommandRunsTheImport)
{
    WriteSource(Line(kMail));
    desktop.chosenFiles = {source};
    document->OnImport();
    EXPECT_EQ(DataFiles().size(), 1U);
}

} // namespace
} // namespace lk
