#include "core/platform/TextConversion.h"

#include <cctype>
#include <gtest/gtest.h>

namespace lk {
namespace {

struct ToEightBitCase
{
    const char* what;
    std::u16string wide;
    std::string eightBit;
    friend void PrintTo(const ToEightBitCase& row, std::ostream* out) { *out << row.what; }
};

class ToEightBitTest : public testing::TestWithParam<ToEightBitCase>
{};

TEST_P(ToEightBitTest, Converts)
{
    EXPECT_EQ(ToEightBit(GetParam().wide), GetParam().eightBit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToEightBitTest,
    testing::Values(ToEightBitCase{"empty", u"", ""}, ToEightBitCase{"ascii", u"abc,XYZ", "abc,XYZ"},
                    ToEightBitCase{"two bytes", u"\u00e9", "\xc3\xa9"},
                    ToEightBitCase{"three bytes", u"\u20ac", "\xe2\x82\xac"},
                    ToEightBitCase{"surrogate pair", u"\U0001F600", "\xf0\x9f\x98\x80"},
                    ToEightBitCase{"lone high surrogate", std::u16string{u'a', char16_t(0xD83D), u'b'}, "a?b"},
                    ToEightBitCase{"lone low surrogate", std::u16string{char16_t(0xDE00), u'b'}, "?b"},
                    ToEightBitCase{"high surrogate at the end", std::u16string{u'a', char16_t(0xD83D)}, "a?"},
                    ToEightBitCase{"two high surrogates", std::u16string{char16_t(0xD83D), char16_t(0xD83D)}, "??"},
                    ToEightBitCase{"zero unit kept", std::u16string(u"a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(FromEightBit, WellFormedTextRoundTrips)
{
    const std::u16string text = u"Caf\u00e9 \u20ac \U0001F600 ,\n";
    EXPECT_EQ(FromEightBit(ToEightBit(text)), text);
}

TEST(FromEightBit, MalformedBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(FromEightBit("a\xff"
                           "b"),
              u"a\uFFFDb");
    // A sequence cut short at the end of the text.
    EXPECT_EQ(FromEightBit("a\xe2\x82"), u"a\uFFFD\uFFFD");
    // Overlong encoding of "/" and an encoded surrogate are not accepted.
    EXPECT_EQ(FromEightBit("\xc0\xaf"), u"\uFFFD\uFFFD");
    EXPECT_EQ(FromEightBit("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");
}

TEST(CutEightBit, NeverEndsInsideASequence)
{
    const std::string text = "ab\xe2\x82\xac"
                             "c"; // a, b, euro sign, c
    const struct
    {
        std::size_t most;
        std::string_view kept;
    } cases[] = {
        {0, ""}, {1, "a"}, {2, "ab"}, {3, "ab"}, {4, "ab"}, {5, "ab\xe2\x82\xac"}, {6, text}, {100, text},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutEightBit(text, c.most), c.kept) << "at most " << c.most;
    }
}

TEST(CutWide, NeverSplitsASurrogatePair)
{
    const std::u16string text = u"a\U0001F600b"; // a, high, low, b
    EXPECT_EQ(CutWide(text, 0), u"");
    EXPECT_EQ(CutWide(text, 1), u"a");
    EXPECT_EQ(CutWide(text, 2), u"a");
    EXPECT_EQ(CutWide(text, 3), u"a\U0001F600");
    EXPECT_EQ(CutWide(text, 4), text);
    EXPECT_EQ(CutWide(text, 9), text);
}

TEST(AsciiCase, OnlyAsciiLettersAreFolded)
{
    EXPECT_EQ(AsciiUpper('a'), 'A');
    EXPECT_EQ(AsciiUpper('z'), 'Z');
    EXPECT_EQ(AsciiUpper('_'), '_');
    EXPECT_EQ(AsciiUpper(u'\u00e9'), u'\u00e9');
    EXPECT_TRUE(EqualsIgnoringAsciiCase(".DaT", ".dat"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(".dat", ".dat "));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xc3\xa9", "\xc3\x89"));
}

} // namespace
} // namespace lk
