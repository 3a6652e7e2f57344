#include "core/store/AccountLine.h"

#include "core/store/HandBuiltFile.h"

#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace lk {
namespace {

using test::EmptyFields;
using test::JoinFields;

// Field positions in the line.
enum Field : std::size_t
{
    kAuxText = 0,
    kName = 1,
    kUrl = 2,
    kAux32 = 3,
    kStem = 4,
    kAux4 = 5,
    kSortIndex = 6,
    kUseCount = 7,
    kKind = 8,
    kAux64 = 9,
    kSlotCountField = 10,
    kSlot0Flag = 11,
    kSlot0Value = 14,
    kSlot3Value = 26,
    kComment = 27,
};

std::u16string LineWith(std::initializer_list<std::pair<std::size_t, std::u16string>> changes,
                        std::u16string_view end = u"\n")
{
    auto fields = EmptyFields();
    for (const auto& [index, value] : changes) {
        fields[index] = value;
    }
    return JoinFields(fields, end);
}

AccountRecord SampleRecord()
{
    AccountRecord r;
    r.AuxText = u"aux text";
    r.AccountName = u"Mail \u00e9\U0001F600";
    r.Url = "https://mail.example/login?x=1";
    r.Aux32 = "a32";
    r.FileStem = "300000001234";
    r.Aux4 = "a4";
    r.SortIndex = -5;
    r.UseCount = 4294967295u;
    r.Kind = 9;
    r.Aux64 = "a64";
    r.SlotCount = 3;
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const std::string n = std::to_string(i);
        r.Slots[i].Flag = static_cast<std::int32_t>(i) - 1;
        r.Slots[i].Name = "name" + n;
        r.Slots[i].Label = "label" + n;
        r.Slots[i].Value = "value\xc3\xa9" + n;
    }
    r.Comment = u"first\rsecond";
    return r;
}

void ExpectSameFields(const AccountRecord& a, const AccountRecord& b)
{
    EXPECT_EQ(a.AuxText, b.AuxText);
    EXPECT_EQ(a.AccountName, b.AccountName);
    EXPECT_EQ(a.Url, b.Url);
    EXPECT_EQ(a.Aux32, b.Aux32);
    EXPECT_EQ(a.FileStem, b.FileStem);
    EXPECT_EQ(a.Aux4, b.Aux4);
    EXPECT_EQ(a.SortIndex, b.SortIndex);
    EXPECT_EQ(a.UseCount, b.UseCount);
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.Aux64, b.Aux64);
    EXPECT_EQ(a.SlotCount, b.SlotCount);
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(a.Slots[i].Flag, b.Slots[i].Flag) << i;
        EXPECT_EQ(a.Slots[i].Name, b.Slots[i].Name) << i;
        EXPECT_EQ(a.Slots[i].Label, b.Slots[i].Label) << i;
        EXPECT_EQ(a.Slots[i].Value, b.Slots[i].Value) << i;
    }
    EXPECT_EQ(a.Comment, b.Comment);
}

TEST(FormatAccountLine, ARecordWithOnlyAName)
{
    AccountRecord r;
    r.AccountName = u"A";
    EXPECT_EQ(FormatAccountLine(r), u",A,,,,,0,0,0,,0,0,,,,0,,,,0,,,,0,,,,,\n");
}

TEST(FormatAccountLine, ReplacesTheCallersString)
{
    std::u16string line = u"left over";
    EXPECT_TRUE(FormatAccountLine(AccountRecord{}, line));
    EXPECT_EQ(line, JoinFields(EmptyFields()));
}

TEST(FormatAccountLine, FieldsInTheirOrderAsTheOriginalFormatWritesThem)
{
    // Without commas and line feeds inside the fields, the line is the original
    // format to the unit: nothing quoted, 8-bit text widened, integers in base 10.
    const std::u16string expected =
        u"aux text,Mail \u00e9\U0001F600,https://mail.example/login?x=1,a32,300000001234,a4,-5,-1,9,a64,3,"
        u"-1,name0,label0,value\u00e90,0,name1,label1,value\u00e91,1,name2,label2,value\u00e92,"
        u"2,name3,label3,value\u00e93,first\rsecond,\n";
    EXPECT_EQ(FormatAccountLine(SampleRecord()), expected);
}

TEST(AccountLine, RoundTripRestoresEveryField)
{
    const AccountRecord original = SampleRecord();
    AccountRecord read;
    ASSERT_TRUE(ParseAccountLine(FormatAccountLine(original), read));
    ExpectSameFields(read, original);
}

TEST(AccountLine, CommasAndLineFeedsInsideFieldsSurviveARoundTrip)
{
    AccountRecord original = SampleRecord();
    original.AccountName = u"Smith, John";
    original.AuxText = u",";
    original.Url = "https://x.example/?a=1,2";
    original.Slots[0].Value = "pa,ss\nword";
    original.Slots[3].Label = ",,";
    original.Comment = u"line one,\nline two\n,";
    const std::u16string line = FormatAccountLine(original);
    // Still 28 separators and one line feed: older readers split it the same way.
    EXPECT_EQ(std::count(line.begin(), line.end(), u','), 28);
    EXPECT_EQ(std::count(line.begin(), line.end(), u'\n'), 1);
    EXPECT_EQ(line.back(), u'\n');
    EXPECT_NE(line.find(u"Smith\uE02C John,"), std::u16string::npos);
    EXPECT_NE(line.find(u"line one\uE02C\uE00Aline two\uE00A\uE02C,\n"), std::u16string::npos);

    AccountRecord read;
    ASSERT_TRUE(ParseAccountLine(line, read));
    ExpectSameFields(read, original);
}

TEST(AccountLine, LineFeedsOfAnOlderFileStayInTheComment)
{
    AccountRecord read;
    ASSERT_TRUE(ParseAccountLine(LineWith({{kComment, u"first\nsecond"}}, u""), read));
    EXPECT_EQ(read.Comment.view(), u"first\nsecond");
}

// One row of the line reader's table: a line, the expected result, and a check
// of the record it filled (which starts as a record named "old").
struct ParseCase
{
    const char* what;
    std::u16string line;
    bool accepted;
    std::function<void(const AccountRecord&)> check;
    friend void PrintTo(const ParseCase& row, std::ostream* out) { *out << row.what; }
};

class ParseAccountLineTest : public testing::TestWithParam<ParseCase>
{};

TEST_P(ParseAccountLineTest, ReadsTheLine)
{
    AccountRecord r;
    r.AccountName = u"old";
    r.Comment = u"old comment";
    r.Slots[3].Value = "old value";
    r.SlotCount = 2;
    EXPECT_EQ(ParseAccountLine(GetParam().line, r), GetParam().accepted);
    GetParam().check(r);
}

// The line with its last comma taken out: the comment then has no comma after it.
std::u16string WithoutLastComma(std::u16string line)
{
    line.erase(line.rfind(u','), 1);
    return line;
}

std::string RowName(const testing::TestParamInfo<ParseCase>& info)
{
    std::string name = info.param.what;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

std::u16string Repeat(char16_t c, std::size_t n)
{
    return std::u16string(n, c);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, ParseAccountLineTest,
    testing::Values(
        ParseCase{"empty text", u"", false, [](const AccountRecord& r) { EXPECT_EQ(r.AccountName.view(), u"old"); }},
        ParseCase{"one field", u"aux,name", false,
                  [](const AccountRecord& r) {
                      EXPECT_EQ(r.AuxText.view(), u"aux");
                      EXPECT_EQ(r.AccountName.view(), u"old");
                  }},
        ParseCase{"slots cut short", u"aux,name,url,,,,1,2,3,,1,1,n,l,v,", false,
                  [](const AccountRecord& r) {
                      EXPECT_EQ(r.AccountName.view(), u"name");
                      EXPECT_EQ(r.UseCount, 2u);
                      EXPECT_EQ(r.SlotCount, 1u);
                      EXPECT_EQ(r.Slots[0].Value.view(), "v");
                      EXPECT_EQ(r.Slots[3].Value.view(), "old value");
                      EXPECT_EQ(r.Comment.view(), u"old comment");
                  }},
        ParseCase{"comment without any separator", WithoutLastComma(LineWith({{kName, u"n"}, {kComment, u"c"}}, u"")),
                  false,
                  [](const AccountRecord& r) {
                      EXPECT_EQ(r.AccountName.view(), u"n");
                      EXPECT_EQ(r.Slots[3].Value.view(), "");
                      EXPECT_EQ(r.Comment.view(), u"old comment");
                  }},
        ParseCase{"comment ended by a line feed", WithoutLastComma(LineWith({{kComment, u"note\nrest"}}, u"")), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Comment.view(), u"note"); }},
        ParseCase{"comment ended by a comma before a line feed", LineWith({{kComment, u"a\nb"}}), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Comment.view(), u"a\nb"); }},
        ParseCase{"whatever follows the comment is ignored", LineWith({{kComment, u"c"}}, u"more,fields,\n"), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Comment.view(), u"c"); }},
        ParseCase{"carriage return belongs to its field", LineWith({{kComment, u"c\r"}}, u"\r\n"), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Comment.view(), u"c\r"); }},
        ParseCase{"a comma in an unescaped name shifts the fields",
                  LineWith({{kName, u"Smith, John"}, {kComment, u"c"}}, u""), true,
                  [](const AccountRecord& r) {
                      EXPECT_EQ(r.AccountName.view(), u"Smith");
                      EXPECT_EQ(r.Url.view(), " John");
                      EXPECT_EQ(r.Comment.view(), u"");
                  }}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Integers, ParseAccountLineTest,
    testing::Values(ParseCase{"blank digits letter", LineWith({{kUseCount, u" 12x"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.UseCount, 12u); }},
                    ParseCase{"minus three", LineWith({{kSortIndex, u"-3"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.SortIndex, -3); }},
                    ParseCase{"plus sign and tab", LineWith({{kKind, u"\t+10"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.Kind, 10); }},
                    ParseCase{"no digits", LineWith({{kKind, u"x9"}, {kSortIndex, u""}, {kSlot0Flag, u"-"}}), true,
                              [](const AccountRecord& r) {
                                  EXPECT_EQ(r.Kind, 0);
                                  EXPECT_EQ(r.SortIndex, 0);
                                  EXPECT_EQ(r.Slots[0].Flag, 0);
                              }},
                    ParseCase{"use count minus one", LineWith({{kUseCount, u"-1"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.UseCount, 4294967295u); }},
                    ParseCase{"overflow stops at the limits",
                              LineWith({{kSortIndex, u"99999999999999999999"}, {kKind, u"-99999999999"}}), true,
                              [](const AccountRecord& r) {
                                  EXPECT_EQ(r.SortIndex, std::numeric_limits<std::int32_t>::max());
                                  EXPECT_EQ(r.Kind, std::numeric_limits<std::int32_t>::min());
                              }},
                    ParseCase{"slot count four", LineWith({{kSlotCountField, u"4"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.SlotCount, 4u); }},
                    ParseCase{"slot count five is four", LineWith({{kSlotCountField, u"5"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.SlotCount, 4u); }},
                    ParseCase{"negative slot count is four", LineWith({{kSlotCountField, u"-1"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.SlotCount, 4u); }},
                    ParseCase{"huge slot count is four", LineWith({{kSlotCountField, u"99999999999"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.SlotCount, 4u); }},
                    ParseCase{"slot count zero", LineWith({{kSlotCountField, u"0"}}), true,
                              [](const AccountRecord& r) { EXPECT_EQ(r.SlotCount, 0u); }}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseAccountLineTest,
    testing::Values(
        ParseCase{"long name cut", LineWith({{kName, Repeat(u'n', 200)}}), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.AccountName.view(), Repeat(u'n', 127)); }},
        ParseCase{"long comment cut", LineWith({{kComment, Repeat(u'c', 600)}}), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Comment.view(), Repeat(u'c', 511)); }},
        ParseCase{"long url cut", LineWith({{kUrl, Repeat(u'u', 600)}}), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Url.view(), std::string(511, 'u')); }},
        ParseCase{"long value cut at a character", LineWith({{kSlot0Value, Repeat(u'v', 62) + u"\u00e9"}}), true,
                  [](const AccountRecord& r) { EXPECT_EQ(r.Slots[0].Value.view(), std::string(62, 'v')); }},
        ParseCase{"lone surrogate in an 8-bit field", LineWith({{kSlot3Value, std::u16string{u'p', char16_t(0xD800)}}}),
                  true, [](const AccountRecord& r) { EXPECT_EQ(r.Slots[3].Value.view(), "p?"); }},
        ParseCase{"wide text stands as it is", LineWith({{kName, std::u16string{u'p', char16_t(0xD800)}}}), true,
                  [](const AccountRecord& r) {
                      EXPECT_EQ(r.AccountName.view(), (std::u16string{u'p', char16_t(0xD800)}));
                  }},
        ParseCase{"escapes turn back", LineWith({{kName, u"a\uE02Cb\uE00Ac"}, {kUrl, u"x\uE02Cy"}}), true,
                  [](const AccountRecord& r) {
                      EXPECT_EQ(r.AccountName.view(), u"a,b\nc");
                      EXPECT_EQ(r.Url.view(), "x,y");
                  }}),
    RowName);

struct StemCase
{
    std::u16string field;
    std::string stem;
};

class StemFieldTest : public testing::TestWithParam<StemCase>
{};

TEST_P(StemFieldTest, UnusableStemsReadAsEmpty)
{
    AccountRecord r;
    r.FileStem = "old";
    ASSERT_TRUE(ParseAccountLine(LineWith({{kStem, GetParam().field}}), r));
    EXPECT_EQ(r.FileStem.view(), GetParam().stem);
}

INSTANTIATE_TEST_SUITE_P(Stems, StemFieldTest,
                         testing::Values(StemCase{u"300000001234", "300000001234"},
                                         StemCase{u"my account", "my account"}, StemCase{u"a.b", "a.b"},
                                         StemCase{u"", ""}, StemCase{u"../x", ""}, StemCase{u"a/b", ""},
                                         StemCase{u"a\\b", ""}, StemCase{u"C:x", ""}, StemCase{u"..", ""},
                                         StemCase{u".", ""}, StemCase{u"tab\there", ""}, StemCase{u"del\u007f", ""},
                                         StemCase{Repeat(u's', 27), std::string(27, 's')},
                                         StemCase{Repeat(u's', 28), ""}, StemCase{Repeat(u's', 26) + u"\u00e9", ""},
                                         StemCase{u"esc\uE02Caped", "esc,aped"}));

TEST(ReadLineInteger, ReadsAsTheCLibraryDoes)
{
    const struct
    {
        std::u16string_view text;
        std::int32_t value;
    } cases[] = {
        {u"", 0},
        {u"0", 0},
        {u"42", 42},
        {u"  42", 42},
        {u" 12x", 12},
        {u"-3", -3},
        {u"+3", 3},
        {u"--3", 0},
        {u"- 3", 0},
        {u"x12", 0},
        {u"2147483647", 2147483647},
        {u"2147483648", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"-2147483649", -2147483647 - 1},
        {u"\uff11", 0}, // a full-width digit is not a digit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadLineInteger(c.text), c.value) << std::string(c.text.begin(), c.text.end());
    }
}

} // namespace
} // namespace lk
