#include "core/transfer/CsvImport.h"

#include "core/document/DocumentFixture.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountList.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

// What an imported account holds, in the form's terms.
struct Imported
{
    std::u16string name;
    std::string url;
    std::string userName;
    std::string password;
    std::u16string comment;
    std::uint32_t slotCount = 1;

    friend bool operator==(const Imported&, const Imported&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Imported& a)
    {
        return out << ToEightBit(a.name) << " | " << a.url << " | " << a.userName << " | " << a.password << " | "
                   << ToEightBit(a.comment) << " | " << a.slotCount;
    }
};

Imported Of(const AccountRecord& record)
{
    return {record.AccountName.str(),
            record.Url.str(),
            record.Slots[kUserNameSlot].Value.str(),
            record.Slots[kPasswordSlot].Value.str(),
            record.Comment.str(),
            record.SlotCount};
}

struct Merged
{
    CsvImportCounts counts;
    std::vector<Imported> accounts;
};

Merged Merge(std::string_view text, AccountList& list)
{
    const std::ptrdiff_t before = list.GetCount();
    Merged merged;
    merged.counts = MergeCsvAccounts(text, list, [&](std::span<AccountRecord* const> added) {
        EXPECT_EQ(before + static_cast<std::ptrdiff_t>(added.size()), list.GetCount()) << "saved once all are in";
        for (const AccountRecord* record : added) {
            EXPECT_EQ(record->Kind, kKindSaved);
            EXPECT_EQ(record->Slots[kPasswordSlot].Flag, record->Slots[kPasswordSlot].Value.empty() ? 0 : 1);
        }
        return std::vector<bool>(added.size(), true);
    });
    for (std::ptrdiff_t i = before; i < list.GetCount(); ++i) {
        merged.accounts.push_back(Of(*list.GetAt(i)));
    }
    return merged;
}

Merged Merge(std::string_view text)
{
    AccountList list;
    return Merge(text, list);
}

CsvImportCounts Counts(std::size_t imported, std::size_t alreadyThere = 0, std::size_t skipped = 0, std::size_t cut = 0)
{
    return {imported, alreadyThere, skipped, cut, 0};
}

// ---- One fixture file per program that exports CSV

struct FixtureCase
{
    const char* name;
    const char* file;
    std::vector<Imported> accounts;
    CsvImportCounts counts;
};

const FixtureCase kFixtureCases[] = {
    {"Chrome",
     "chrome.csv",
     {{u"mail.example", "https://mail.example/login", "alice", "s3cret", u"", 2},
      {u"Bank", "https://bank.example/", "alice, jr", "pa\"ss", u"card in drawer", 2}},
     Counts(2)},
    {"Firefox",
     "firefox.csv",
     {{u"shop.example", "https://shop.example:8443", "bob", "hunter2", u"", 2},
      {u"forum.example", "https://forum.example", "", "onlypass", u"", 1}},
     Counts(2)},
    {"Bitwarden",
     "bitwarden.csv",
     {{u"Intranet", "https://intranet.example", "carol", "pw1", u"line one\r\nline two", 2},
      {u"Wifi code", "", "", "", u"Guest: 1234", 1}},
     Counts(2)},
    {"KeePassXC", "keepassxc.csv", {{u"Git host", "https://git.example", "dave", "p,w", u"", 2}}, Counts(1)},
    {"LastPass",
     "lastpass.csv",
     {{u"News", "https://news.example", "erin", "pw5", u"note with \"quotes\"", 2},
      {u"Locker code", "http://sn", "", "", u"Secure note text", 1}},
     Counts(2)},
    {"OnePassword", "onepassword.csv", {{u"Cloud", "https://cloud.example", "frank", "pw6", u"kept", 2}}, Counts(1)},
    {"Safari", "safari.csv", {{u"video.example (gina)", "https://video.example/", "gina", "pw7", u"", 2}}, Counts(1)},
};

std::string Fixture(const char* file)
{
    const std::vector<std::uint8_t> bytes = test::ReadBytes(std::filesystem::path(LK_TRANSFER_FIXTURES) / file);
    return {bytes.begin(), bytes.end()};
}

class CsvFixtureTest : public ::testing::TestWithParam<FixtureCase>
{};

TEST_P(CsvFixtureTest, ImportsEveryAccount)
{
    const std::string text = Fixture(GetParam().file);
    ASSERT_FALSE(text.empty());
    const Merged merged = Merge(text);
    EXPECT_EQ(merged.accounts, GetParam().accounts);
    EXPECT_EQ(merged.counts, GetParam().counts);
}

TEST_P(CsvFixtureTest, SecondImportAddsNothing)
{
    const std::string text = Fixture(GetParam().file);
    AccountList list;
    const Merged first = Merge(text, list);
    const Merged second = Merge(text, list);
    EXPECT_TRUE(second.accounts.empty());
    EXPECT_EQ(second.counts, Counts(0, first.counts.imported, first.counts.skipped));
}

INSTANTIATE_TEST_SUITE_P(Table, CsvFixtureTest, ::testing::ValuesIn(kFixtureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Rows and their accounts

struct RowCase
{
    const char* name;
    std::string text;
    std::vector<Imported> accounts;
    CsvImportCounts counts;
};

std::vector<RowCase> RowCases()
{
    const std::string longName(200, 'n');
    const std::string longUrl = "https://" + std::string(600, 'u');
    const std::string longNotes(600, 'c');
    std::string umlauts; // 40 characters, 80 bytes: more than a login field's 63
    for (int i = 0; i < 40; ++i) {
        umlauts += "\xC3\xA4";
    }
    const std::string umlautsCut = umlauts.substr(0, 62);
    return {
        {"QuotedCommasAndLineBreaks",
         "name,url,username,password,note\n\"A, B\",\"https://a.example/?x=1,2\",\"me, "
         "too\",\"p,w\",\"1\n2\r\n3\r4\"\n",
         {{u"A, B", "https://a.example/?x=1,2", "me, too", "p,w", u"1\r\n2\r\n3\r\n4", 2}},
         Counts(1)},
        {"ByteOrderMarkAndCrLf",
         "\xEF\xBB\xBFname,url,username,password\r\nMail,https://mail.example,me,pw\r\n",
         {{u"Mail", "https://mail.example", "me", "pw", u"", 2}},
         Counts(1)},
        {"ColumnsInAnyOrder",
         "password,note,url,name\npw,n,https://x.example,X\n",
         {{u"X", "https://x.example", "", "pw", u"n", 1}},
         Counts(1)},
        {"MissingColumnsAreEmpty",
         "url,password\nhttps://me@mail.example:8080/in?a#b,pw\n",
         {{u"mail.example", "https://me@mail.example:8080/in?a#b", "", "pw", u"", 1}},
         Counts(1)},
        {"RowOfOnlyAUrl",
         "name,url,username,password,note\n,https://only.example/,,,\n",
         {{u"only.example", "https://only.example/", "", "", u"", 1}},
         Counts(1)},
        {"UserNameWithoutPasswordIsNotHidden",
         "name,url,username,password\nU,https://u.example,me,\n",
         {{u"U", "https://u.example", "me", "", u"", 2}},
         Counts(1)},
        {"RowWithoutNameAndUrlIsSkipped",
         "name,url,username,password\n,,me,pw\nKept,,,pw\n",
         {{u"Kept", "", "", "pw", u"", 1}},
         Counts(1, 0, 1)},
        {"BlankRowsCountNowhere",
         "name,url,password\n\n,,\r\nA,https://a.example,pw\n\n",
         {{u"A", "https://a.example", "", "pw", u"", 1}},
         Counts(1)},
        {"DuplicateRowsGiveOneAccount",
         "name,url,password\nA,https://a.example,pw\nA,https://a.example,pw\nA,https://a.example,other\n",
         {{u"A", "https://a.example", "", "pw", u"", 1}, {u"A", "https://a.example", "", "other", u"", 1}},
         Counts(2, 1)},
        {"OverLongValuesAreCutAndCounted",
         "name,url,username,password,note\n" + longName + "," + longUrl + "," + umlauts + "," + umlauts + "," +
             longNotes + "\n",
         {{Wide(longName.substr(0, 127)), longUrl.substr(0, 511), umlautsCut, umlautsCut,
           Wide(longNotes.substr(0, 511)), 2}},
         Counts(1, 0, 0, 5)},
        {"ValuesThatFitAreNotCounted",
         "name,url,password\n" + longName.substr(0, 127) + ",https://a.example," + std::string(63, 'p') + "\n",
         {{Wide(longName.substr(0, 127)), "https://a.example", "", std::string(63, 'p'), u"", 1}},
         Counts(1)},
        {"HeaderOnly", "name,url,password\n", {}, Counts(0)},
        {"HeaderWithoutPasswordOrUrlAddsNothing", "name,username\nA,me\n", {}, Counts(0)},
    };
}

class CsvRowTest : public ::testing::TestWithParam<RowCase>
{};

TEST_P(CsvRowTest, BecomesTheAccountTheFormWouldSave)
{
    const Merged merged = Merge(GetParam().text);
    EXPECT_EQ(merged.accounts, GetParam().accounts);
    EXPECT_EQ(merged.counts, GetParam().counts);
}

INSTANTIATE_TEST_SUITE_P(Table, CsvRowTest, ::testing::ValuesIn(RowCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CsvImportTest, AnAccountTheStoreHoldsIsAlreadyThere)
{
    AccountList list;
    ASSERT_EQ(Merge("name,url,password\nA,https://a.example,pw\n", list).counts, Counts(1));
    // The first account of a name decides, as for account lines.
    const Merged merged = Merge("name,url,password\nA,https://a.example,pw\nA,https://b.example,pw\n", list);
    EXPECT_EQ(merged.counts, Counts(1, 1));
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(CsvImportTest, AnyAccountOfTheNameMayHoldTheRow)
{
    // Two programs' exports with a "Mail" each: once both are in, importing
    // either again adds nothing, whichever "Mail" comes first in the list.
    AccountList list;
    const std::string first = "name,url,password\nMail,https://a.example,pw\n";
    const std::string second = "title,url,password\nMail,https://b.example,pw\n";
    ASSERT_EQ(Merge(first, list).counts, Counts(1));
    ASSERT_EQ(Merge(second, list).counts, Counts(1));
    EXPECT_EQ(Merge(second, list).counts, Counts(0, 1));
    EXPECT_EQ(Merge(first, list).counts, Counts(0, 1));
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(CsvImportTest, AccountsNotSavedAreCountedApart)
{
    AccountList list;
    const CsvImportCounts counts = MergeCsvAccounts("name,url,password\nA,a,pw\nB,b," + std::string(70, 'p') + "\n",
                                                    list, [](std::span<AccountRecord* const> added) {
                                                        std::vector<bool> saved(added.size(), false);
                                                        saved.front() = true;
                                                        return saved;
                                                    });
    EXPECT_EQ(counts, (CsvImportCounts{1, 0, 0, 0, 1})) << "the cut value of an account not saved does not count";
}

// ---- The summary

struct SummaryCase
{
    const char* name;
    CsvImportCounts counts;
    std::u16string_view text;
};

const SummaryCase kSummaryCases[] = {
    {"EveryPart", Counts(12, 3, 1, 2),
     u"Imported 12 accounts; 3 were already there; 1 row was skipped; 2 values were "
     u"cut to fit."},
    {"Singulars", Counts(1, 1, 1, 1),
     u"Imported 1 account; 1 was already there; 1 row was skipped; 1 value was cut to "
     u"fit."},
    {"NothingImported", Counts(0), u"Imported 0 accounts."},
    {"ZerosAreLeftOut", Counts(5, 0, 2, 0), u"Imported 5 accounts; 2 rows were skipped."},
};

class CsvSummaryTest : public ::testing::TestWithParam<SummaryCase>
{};

TEST_P(CsvSummaryTest, SaysWhatHappened)
{
    EXPECT_EQ(CsvImportSummary(GetParam().counts), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, CsvSummaryTest, ::testing::ValuesIn(kSummaryCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The host that names an account without a name

struct HostCase
{
    const char* name;
    std::string_view url;
    std::string_view host;
};

const HostCase kHostCases[] = {
    {"SchemeAndPath", "https://mail.example/login?x=1", "mail.example"},
    {"UserAndPort", "https://me:pw@mail.example:8443/", "mail.example"},
    {"NoScheme", "mail.example/in", "mail.example"},
    {"QueryWithoutPath", "http://a.example?q=1", "a.example"},
    {"Ipv6Address", "http://[::1]:8080/", "[::1]"},
    {"AndroidApp", "android://hash@com.example.app/", "com.example.app"},
    {"NoHost", "file:///etc/passwd", ""},
    {"Empty", "", ""},
};

class UrlHostTest : public ::testing::TestWithParam<HostCase>
{};

TEST_P(UrlHostTest, IsTheHostAlone)
{
    EXPECT_EQ(UrlHost(GetParam().url), GetParam().host);
}

INSTANTIATE_TEST_SUITE_P(Table, UrlHostTest, ::testing::ValuesIn(kHostCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
