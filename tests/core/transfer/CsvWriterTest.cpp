#include "core/transfer/CsvWriter.h"

#include "core/transfer/CsvReader.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

struct WriteCase
{
    const char* name;
    std::vector<std::string> fields;
    std::string_view text;
};

const WriteCase kWriteCases[] = {
    {"PlainFieldsAreNotQuoted", {"a", "b c", ""}, "a,b c,\r\n"},
    {"CommaIsQuoted", {"a,b", "c"}, "\"a,b\",c\r\n"},
    {"QuoteIsQuotedAndDoubled", {"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
    {"LineBreaksAreQuotedAndKept", {"l1\r\nl2", "l3\nl4"}, "\"l1\r\nl2\",\"l3\nl4\"\r\n"},
    {"EightBitTextIsWrittenAsItIs", {"n\xC3\xA4me"}, "n\xC3\xA4me\r\n"},
};

class CsvWriterTest : public ::testing::TestWithParam<WriteCase>
{};

std::string Written(const std::vector<std::string>& fields)
{
    const std::vector<std::string_view> views(fields.begin(), fields.end());
    CsvWriter writer;
    writer.WriteRow(views);
    return writer.Text();
}

TEST_P(CsvWriterTest, WritesOneRow)
{
    EXPECT_EQ(Written(GetParam().fields), GetParam().text);
}

TEST_P(CsvWriterTest, ReaderGivesTheFieldsBack)
{
    const std::string text = Written(GetParam().fields);
    CsvReader reader(text);
    EXPECT_EQ(reader.NextRow(), GetParam().fields);
    EXPECT_EQ(reader.NextRow(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Table, CsvWriterTest, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
