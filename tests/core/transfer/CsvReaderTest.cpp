#include "core/transfer/CsvReader.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows ReadAll(std::string_view text)
{
    CsvReader reader(text);
    Rows rows;
    while (auto row = reader.NextRow()) {
        rows.push_back(std::move(*row));
    }
    return rows;
}

struct ReadCase
{
    const char* name;
    std::string_view text;
    Rows rows;
};

const ReadCase kReadCases[] = {
    {"EmptyTextHasNoRows", "", {}},
    {"OnlyAByteOrderMarkHasNoRows", "\xEF\xBB\xBF", {}},
    {"ByteOrderMarkIsNotPartOfTheFirstField", "\xEF\xBB\xBFname,url\n", {{"name", "url"}}},
    {"LineFeedEndsARow", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
    {"CarriageReturnLineFeedEndsARow", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
    {"LoneCarriageReturnEndsARow", "a,b\rc,d", {{"a", "b"}, {"c", "d"}}},
    {"LastRowWithoutLineBreak", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
    {"EmptyFieldsAreKept", ",a,,\n", {{"", "a", "", ""}}},
    {"BlankLineIsARowOfOneEmptyField", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
    {"QuotedCommaStaysInTheField", "\"a,b\",c\n", {{"a,b", "c"}}},
    {"DoubledQuoteIsOneQuote", "\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}},
    {"QuotedLineBreaksAreKeptAsWritten", "\"l1\nl2\r\nl3\",x\r\ny\r\n", {{"l1\nl2\r\nl3", "x"}, {"y"}}},
    {"QuotedEmptyField", "\"\",\"\"\n", {{"", ""}}},
    {"QuoteInsideAnUnquotedFieldIsKept", "ab\"c,d\n", {{"ab\"c", "d"}}},
    {"TextAfterAClosingQuoteBelongsToTheField", "\"ab\"cd,e\n", {{"abcd", "e"}}},
    {"OpenQuoteRunsToTheEnd", "a,\"b,c\nd", {{"a", "b,c\nd"}}},
    {"BlanksAroundFieldsAreKept", " a , b \n", {{" a ", " b "}}},
    {"EightBitTextPassesUnchanged", "n\xC3\xA4me,\xE2\x82\xAC\n", {{"n\xC3\xA4me", "\xE2\x82\xAC"}}},
};

class CsvReaderTest : public ::testing::TestWithParam<ReadCase>
{};

TEST_P(CsvReaderTest, ReadsRows)
{
    EXPECT_EQ(ReadAll(GetParam().text), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Table, CsvReaderTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
