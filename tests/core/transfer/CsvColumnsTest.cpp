#include "core/transfer/CsvColumns.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

// A header row and a data row under it; the expected values of the five fields
// (name, URL, user name, password, notes), or no columns at all.
struct HeaderCase
{
    const char* name;
    std::vector<std::string> header;
    std::vector<std::string> row;
    std::optional<std::array<std::string, 5>> values;
};

const HeaderCase kHeaderCases[] = {
    {"Chrome", {"name", "url", "username", "password", "note"}, {"N", "U", "X", "P", "C"}, {{"N", "U", "X", "P", "C"}}},
    {"Firefox",
     {"url", "username", "password", "httpRealm", "formActionOrigin", "guid"},
     {"U", "X", "P", "", "F", "G"},
     {{"", "U", "X", "P", ""}}},
    {"Bitwarden",
     {"folder", "favorite", "type", "name", "notes", "fields", "reprompt", "login_uri", "login_username",
      "login_password", "login_totp"},
     {"f", "1", "login", "N", "C", "", "0", "U", "X", "P", "T"},
     {{"N", "U", "X", "P", "C"}}},
    {"KeePassXC",
     {"Group", "Title", "Username", "Password", "URL", "Notes", "TOTP"},
     {"g", "N", "X", "P", "U", "C", "T"},
     {{"N", "U", "X", "P", "C"}}},
    {"LastPass",
     {"url", "username", "password", "totp", "extra", "name", "grouping", "fav"},
     {"U", "X", "P", "T", "C", "N", "g", "0"},
     {{"N", "U", "X", "P", "C"}}},
    {"OnePassword",
     {"Title", "Url", "Username", "Password", "OTPAuth", "Favorite", "Archived", "Tags", "Notes"},
     {"N", "U", "X", "P", "", "false", "false", "", "C"},
     {{"N", "U", "X", "P", "C"}}},
    {"Safari",
     {"Title", "URL", "Username", "Password", "Notes", "OTPAuth"},
     {"N", "U", "X", "P", "C", ""},
     {{"N", "U", "X", "P", "C"}}},
    {"Keeper",
     {"Folder", "Title", "Login", "Password", "Website Address", "Notes", "Shared Folder", "Custom Fields", "TOTP"},
     {"f", "N", "X", "P", "U", "C", "", "", ""},
     {{"N", "U", "X", "P", "C"}}},
    {"OnePasswordWithWebsite",
     {"Title", "Website", "Username", "Password", "Notes", "Type"},
     {"N", "U", "X", "P", "C", "Login"},
     {{"N", "U", "X", "P", "C"}}},
    {"Dashlane",
     {"username", "password", "url", "title", "note", "otpSecret", "category"},
     {"X", "P", "U", "N", "C", "", "c"},
     {{"N", "U", "X", "P", "C"}}},
    {"CaseAndBlanksDoNotMatter", {" PASSWORD ", "Url\t"}, {"P", "U"}, {{"", "U", "", "P", ""}}},
    {"OnlyAPasswordColumnIsEnough", {"password"}, {"P"}, {{"", "", "", "P", ""}}},
    {"OnlyAUrlColumnIsEnough", {"url"}, {"U"}, {{"", "U", "", "", ""}}},
    {"NameBeforeTitleWhenBothAreThere", {"title", "url", "name"}, {"T", "U", "N"}, {{"N", "U", "", "", ""}}},
    {"ShortRowGivesEmptyValues", {"name", "url", "password"}, {"N"}, {{"N", "", "", "", ""}}},
    {"NeitherPasswordNorUrlIsNoAccountFile", {"name", "username", "notes"}, {"N", "X", "C"}, std::nullopt},
    {"DataRowIsNoHeader", {"https://mail.example", "alice", "s3cret"}, {}, std::nullopt},
    {"EmptyHeader", {""}, {}, std::nullopt},
};

class CsvColumnsTest : public ::testing::TestWithParam<HeaderCase>
{};

TEST_P(CsvColumnsTest, FindsTheFieldsOfTheHeader)
{
    const HeaderCase& c = GetParam();
    const std::optional<CsvColumns> columns = CsvColumns::FromHeader(c.header);
    ASSERT_EQ(columns.has_value(), c.values.has_value());
    if (!columns) {
        return;
    }
    const CsvField fields[] = {CsvField::Name, CsvField::Url, CsvField::UserName, CsvField::Password, CsvField::Notes};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(columns->Value(c.row, fields[i]), (*c.values)[i]) << "field " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CsvColumnsTest, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
