#include "core/store/AccountFile.h"

#include "core/store/AccountLine.h"
#include "core/store/HandBuiltFile.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using test::Bytes;
using test::HandBuiltFile;
using test::HandBuiltHeader;

constexpr std::u16string_view kUser = u"alice";

// The record the hand-built file below holds, field by field from the table.
AccountRecord TableRecord()
{
    AccountRecord r;
    r.AccountName = u"Bank";
    r.Url = "https://bank.example";
    r.FileStem = "300000001234";
    r.SortIndex = 2;
    r.UseCount = 5;
    r.Kind = 9;
    r.SlotCount = 2;
    r.Slots[0].Flag = 1;
    r.Slots[0].Value = "secret";
    r.Slots[1].Value = "al";
    r.Comment = u"two\rlines";
    return r;
}

// Its line, written out by hand from the field table.
constexpr std::u16string_view kTableLine = u",Bank,https://bank.example,,300000001234,,2,5,9,,2,"
                                           u"1,,,secret,0,,,al,0,,,,0,,,,two\rlines,\n";

TEST(AccountFile, AFileBuiltFromTheFormatTablesReadsBack)
{
    Bytes bytes = {0xFF, 0xFF, 0xFF, 0xFF};
    for (const char c : std::string_view("__LedgerKeeper__")) {
        bytes.push_back(static_cast<std::uint8_t>(~static_cast<std::uint8_t>(c)));
    }
    const std::string_view name = "alice";
    for (std::size_t i = 0; i < 16; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(~(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0)));
    }
    for (std::size_t i = 0; i < kTableLine.size(); ++i) {
        const auto unit = static_cast<std::uint16_t>(kTableLine[i] ^ kUser[i % kUser.size()]);
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    ASSERT_EQ(bytes.size(), 36 + 2 * kTableLine.size());

    const AccountFileContent content = ReadAccountFile(bytes, kUser);
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    EXPECT_EQ(content.recordCount, 0u);
    EXPECT_EQ(content.text, kTableLine);

    AccountRecord read;
    ASSERT_TRUE(ParseAccountLine(content.text, read));
    const AccountRecord expected = TableRecord();
    EXPECT_EQ(read.AccountName, expected.AccountName);
    EXPECT_EQ(read.Url, expected.Url);
    EXPECT_EQ(read.FileStem, expected.FileStem);
    EXPECT_EQ(read.SortIndex, 2);
    EXPECT_EQ(read.UseCount, 5u);
    EXPECT_EQ(read.Kind, 9);
    EXPECT_EQ(read.SlotCount, 2u);
    EXPECT_EQ(read.Slots[0].Flag, 1);
    EXPECT_EQ(read.Slots[0].Value.view(), "secret");
    EXPECT_EQ(read.Slots[1].Value.view(), "al");
    EXPECT_EQ(read.Comment, expected.Comment);
}

TEST(AccountFile, TheWriterGivesExactlyTheTablesBytes)
{
    const Bytes written = WriteAccountFile(TableRecord(), kUser);
    EXPECT_EQ(written, HandBuiltFile(kTableLine, kUser));
    ASSERT_GE(written.size(), 20u);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(written[4], static_cast<std::uint8_t>('_' ^ 0xFF));
    EXPECT_EQ(written[5], static_cast<std::uint8_t>('_' ^ 0xFF));
    EXPECT_EQ(written[6], static_cast<std::uint8_t>('L' ^ 0xFF));
}

TEST(AccountFile, WithoutAKeyTheBodyIsPlain)
{
    EXPECT_EQ(WriteAccountFile(TableRecord(), u""), HandBuiltFile(kTableLine, u""));
}

TEST(AccountFile, HeaderCarriesAtMostSixteenBytesOfTheName)
{
    const auto stored = [](std::u16string_view name) {
        const auto bytes = AccountFileHeader::ForUser(name).Encode();
        std::string plain;
        for (std::size_t i = 20; i < 36; ++i) {
            plain.push_back(static_cast<char>(~bytes[i]));
        }
        return plain;
    };
    EXPECT_EQ(stored(u"bob"), std::string("bob") + std::string(13, '\0'));
    EXPECT_EQ(stored(u"abcdefghijklmnop"), "abcdefghijklmnop");
    // Fifteen é are 30 bytes: eight whole characters fit.
    std::string eight;
    for (int i = 0; i < 8; ++i) {
        eight += "\xc3\xa9";
    }
    EXPECT_EQ(stored(std::u16string(15, u'\u00e9')), eight);
    // A three-byte character that would end past the field is left out.
    EXPECT_EQ(stored(u"abcdefghijklmn\u20ac"), std::string("abcdefghijklmn") + std::string(2, '\0'));
}

TEST(AccountFile, RecordCountIsReadFromTheHeader)
{
    const auto content = ReadAccountFile(HandBuiltFile(u"x,\n", u"", 0x01020304), u"");
    EXPECT_EQ(content.recordCount, 0x01020304u);
}

struct OutcomeCase
{
    const char* what;
    Bytes bytes;
    AccountFileOutcome outcome;
    friend void PrintTo(const OutcomeCase& row, std::ostream* out) { *out << row.what; }
};

Bytes Header()
{
    return HandBuiltHeader(0, "alice");
}

Bytes HeaderCut(std::size_t size)
{
    Bytes bytes = Header();
    bytes.resize(size);
    return bytes;
}

Bytes Plus(Bytes bytes, std::initializer_list<std::uint8_t> more)
{
    bytes.insert(bytes.end(), more);
    return bytes;
}

class OutcomeTest : public testing::TestWithParam<OutcomeCase>
{};

TEST_P(OutcomeTest, EndsInTheRightOutcome)
{
    EXPECT_EQ(ReadAccountFile(GetParam().bytes, kUser).outcome, GetParam().outcome);
}

Bytes WrongMarker()
{
    Bytes bytes = Plus(Header(), {0x41, 0x00});
    bytes[19] = static_cast<std::uint8_t>(~'-');
    return bytes;
}

Bytes PlainText()
{
    const std::string text = "just some notes, saved with the wrong extension\n";
    return Bytes(text.begin(), text.end());
}

INSTANTIATE_TEST_SUITE_P(
    Files, OutcomeTest,
    testing::Values(OutcomeCase{"nothing", {}, AccountFileOutcome::Short},
                    OutcomeCase{"ten bytes", Bytes(10, 0xFF), AccountFileOutcome::Short},
                    OutcomeCase{"35 bytes", HeaderCut(35), AccountFileOutcome::Short},
                    OutcomeCase{"36 bytes", Header(), AccountFileOutcome::Empty},
                    OutcomeCase{"37 bytes", Plus(Header(), {0x41}), AccountFileOutcome::Empty},
                    OutcomeCase{"38 bytes", Plus(Header(), {0x41, 0x00}), AccountFileOutcome::Text},
                    OutcomeCase{"wrong marker", WrongMarker(), AccountFileOutcome::NotAccount},
                    OutcomeCase{"plain text", PlainText(), AccountFileOutcome::NotAccount},
                    OutcomeCase{"marker not inverted",
                                Plus(Bytes(4, 0xFF), {'_', '_', 'L', 'e', 'd', 'g', 'e', 'r', 'K', 'e', 'e', 'p',
                                                      'e', 'r', '_', '_', 0,   0,   0,   0,   0,   0,   0,   0,
                                                      0,   0,   0,   0,   0,   0,   0,   0,   'x', 0}),
                                AccountFileOutcome::NotAccount}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        return name;
    });

TEST(AccountFile, TextEndsAtTheFirstZeroUnitAndAnOddByteIsLeftOut)
{
    const std::u16string body(u"ab\0cd", 5);
    Bytes bytes = HandBuiltFile(body, kUser);
    bytes.push_back(0x7A);
    const auto content = ReadAccountFile(bytes, kUser);
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    EXPECT_EQ(content.text, u"ab");
}

TEST(AccountFile, AnotherUsersFileDoesNotDecode)
{
    const Bytes bytes = WriteAccountFile(TableRecord(), u"bob");
    const auto content = ReadAccountFile(bytes, u"alice");
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    EXPECT_NE(content.text, kTableLine);
    AccountRecord r;
    EXPECT_FALSE(ParseAccountLine(content.text, r));
    // The writer reads it back.
    EXPECT_EQ(ReadAccountFile(bytes, u"bob").text, kTableLine);
}

TEST(ScrambleText, TwiceRestoresAndTheKeyRunsOn)
{
    std::u16string text = u"abcdefg";
    ScrambleText(text, u"xy");
    EXPECT_EQ(text[0], u'a' ^ u'x');
    EXPECT_EQ(text[1], u'b' ^ u'y');
    EXPECT_EQ(text[2], u'c' ^ u'x');
    EXPECT_EQ(text[6], u'g' ^ u'x');
    ScrambleText(text, u"xy");
    EXPECT_EQ(text, u"abcdefg");
    EXPECT_TRUE(ScrambleText(text, u""));
    EXPECT_EQ(text, u"abcdefg");
}

} // namespace
} // namespace lk
