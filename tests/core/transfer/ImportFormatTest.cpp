#include "core/transfer/ImportFormat.h"

#include "core/document/DocumentFixture.h"
#include "core/store/AccountLine.h"
#include "core/transfer/TransferText.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Utf16(std::u16string_view text)
{
    return EncodeUtf16Le(text);
}

struct FormatCase
{
    const char* name;
    std::vector<std::uint8_t> bytes;
    ImportFormat format;
};

std::vector<FormatCase> FormatCases()
{
    const std::u16string line = FormatAccountLine(test::MakeAccount({u"Mail", "https://mail.example", "me", "", "pw"}));
    const std::u16string withoutFeed = line.substr(0, line.size() - 1);
    const std::u16string csvHeader = u"name,url,username,password,note\n";
    return {
        {"EmptyFileIsAnExportOfNoAccounts", {}, ImportFormat::AccountLines},
        {"ExportFile", Utf16(line + line), ImportFormat::AccountLines},
        {"ExportWithByteOrderMark", Utf16(u"\uFEFF" + line), ImportFormat::AccountLines},
        {"Utf16CsvTextIsReadAsAccountLines", Utf16(csvHeader + u"a,https://a.example,me,pw,\n"),
         ImportFormat::AccountLines},
        {"AccountLinesWhoseFieldsNameAPasswordColumn",
         Utf16(FormatAccountLine(test::MakeAccount({u"password", "url"}))), ImportFormat::AccountLines},
        {"Utf8Csv", Bytes("name,url,username,password,note\nMail,https://mail.example,me,pw,\n"), ImportFormat::Csv},
        {"Utf8CsvWithByteOrderMark", Bytes("\xEF\xBB\xBFurl,username,password\r\n"), ImportFormat::Csv},
        {"Utf8CsvOfOnlyAHeader", Bytes("Title,URL"), ImportFormat::Csv},
        {"CsvWithoutPasswordOrUrlColumn", Bytes("name,username,notes\nMail,me,\n"), ImportFormat::Neither},
        {"Utf8TextWithoutHeader", Bytes("Mail https://mail.example me pw\n"), ImportFormat::Neither},
        {"Latin1Csv", Bytes("name,url,password\nCaf\xE9,https://cafe.example,pw\n"), ImportFormat::Neither},
        {"Utf8CsvWithAZeroByte", Bytes(std::string_view("url,password\nhttps://a\0.example,pw\n", 35)),
         ImportFormat::Neither},
        {"OneAccountLineWithoutLineFeed", Utf16(withoutFeed), ImportFormat::Neither},
        {"Utf16TextWithoutZeroBytesOrLineFeed", Utf16(u"\u4e2d\u6587"), ImportFormat::Neither},
        {"ZeroUnitBeforeTheFirstLineFeed", Utf16(std::u16string(u"x\0", 2) + line), ImportFormat::Neither},
    };
}

class ImportFormatTest : public ::testing::TestWithParam<FormatCase>
{};

TEST_P(ImportFormatTest, IsDecidedFromTheBytes)
{
    EXPECT_EQ(DetectImportFormat(GetParam().bytes), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(Table, ImportFormatTest, ::testing::ValuesIn(FormatCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
