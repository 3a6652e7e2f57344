#include "core/store/FixedText.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

TEST(FixedText, HoldsAtMostOneByteLessThanItsCapacity)
{
    FixedText<4> text;
    EXPECT_TRUE(text.empty());
    text = "abc";
    EXPECT_EQ(text.view(), "abc");
    text = "abcd";
    EXPECT_EQ(text.view(), "abc");
    EXPECT_EQ(text.size(), 3u);
    EXPECT_TRUE(FixedText<4>::Fits("abc"));
    EXPECT_FALSE(FixedText<4>::Fits("abcd"));
}

TEST(FixedText, CutsAtACharacterBoundary)
{
    FixedText<4> text;
    text = "a\xe2\x82\xac"; // a and the euro sign: four bytes
    EXPECT_EQ(text.view(), "a");
    text = "ab\xc3\xa9"; // two bytes of é would end at the fourth byte
    EXPECT_EQ(text.view(), "ab");
    text = "\xc3\xa9z";
    EXPECT_EQ(text.view(), "\xc3\xa9z");
}

TEST(FixedText, AZeroEndsTheText)
{
    FixedText<16> text;
    text = std::string_view("ab\0cd", 5);
    EXPECT_EQ(text.view(), "ab");
}

TEST(FixedText, ALongTextAfterAShortOneLeavesNothingBehind)
{
    FixedText<8> text;
    text = "1234567";
    text = "x";
    EXPECT_EQ(text.view(), "x");
    EXPECT_EQ(text, FixedText<8>("x"));
    EXPECT_FALSE(text == FixedText<8>("xy"));
}

TEST(FixedWideText, HoldsAtMostOneUnitLessThanItsCapacity)
{
    FixedWideText<4> text;
    text = u"abcdef";
    EXPECT_EQ(text.view(), u"abc");
    text = u"ab";
    EXPECT_EQ(text.view(), u"ab");
    EXPECT_EQ(text.str(), u"ab");
}

TEST(FixedWideText, NeverKeepsHalfASurrogatePair)
{
    FixedWideText<4> text;
    text = u"ab\U0001F600"; // a, b, high, low
    EXPECT_EQ(text.view(), u"ab");
    text = u"a\U0001F600";
    EXPECT_EQ(text.view(), u"a\U0001F600");
}

TEST(FixedWideText, AZeroEndsTheText)
{
    FixedWideText<8> text;
    text = std::u16string_view(u"ab\0cd", 5);
    EXPECT_EQ(text.view(), u"ab");
}

TEST(FixedText, TakesAPartOfItself)
{
    FixedText<16> text("abcdef");
    text = text.view().substr(2);
    EXPECT_EQ(text.view(), "cdef");
    text = text.view();
    EXPECT_EQ(text.view(), "cdef");
}

TEST(FixedText, ACopyIsIndependentOfItsSource)
{
    FixedText<8> source("abc");
    FixedText<8> copy = source;
    source = "xyz";
    EXPECT_EQ(copy.view(), "abc");
    copy = source;
    source = "";
    EXPECT_EQ(copy.view(), "xyz");
    EXPECT_TRUE(source.empty());
    EXPECT_EQ(source.size(), 0u);
    EXPECT_EQ(source.view(), "");
}

TEST(FixedText, HoldsTheWholeCapacityOfALargeField)
{
    FixedText<512> text;
    const std::string longest(511, 'u');
    text = longest + "v";
    EXPECT_EQ(text.view(), longest);
    EXPECT_TRUE(FixedText<512>::Fits(longest));
}

TEST(FixedWideText, TakesAPartOfItself)
{
    FixedWideText<8> text(u"abcdef");
    text = text.view().substr(1, 3);
    EXPECT_EQ(text.view(), u"bcd");
    FixedWideText<8> moved = std::move(text);
    EXPECT_EQ(moved.view(), u"bcd");
    moved = u"";
    EXPECT_TRUE(moved.empty());
}

} // namespace
} // namespace lk
