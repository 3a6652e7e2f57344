#include "core/transfer/CsvColumns.h"

#include "core/platform/TextConversion.h"

#include <utility>

namespace lk {
namespace {

// The header names of each field, the preferred first: when a file has two
// columns for one field (a name and a title), the earlier entry here wins.
//   Chrome, Edge, Brave  name,url,username,password,note
//   Firefox              url,username,password,httpRealm,formActionOrigin,...
//   Bitwarden            folder,favorite,type,name,notes,fields,reprompt,
//                        login_uri,login_username,login_password,login_totp
//   KeePassXC            Group,Title,Username,Password,URL,Notes,...
//   LastPass             url,username,password,totp,extra,name,grouping,fav
//   1Password, Safari    Title,URL,Username,Password,Notes,...
//   Keeper               Folder,Title,Login,Password,Website Address,Notes,...
constexpr std::array<std::pair<CsvField, std::string_view>, 17> kHeaderNames{{
    {CsvField::Name, "name"},
    {CsvField::Name, "title"},
    {CsvField::Url, "url"},
    {CsvField::Url, "login_uri"},
    {CsvField::Url, "website"},
    {CsvField::Url, "uri"},
    {CsvField::Url, "website address"},
    {CsvField::UserName, "username"},
    {CsvField::UserName, "login_username"},
    {CsvField::UserName, "user name"},
    {CsvField::UserName, "login"},
    {CsvField::Password, "password"},
    {CsvField::Password, "login_password"},
    {CsvField::Notes, "note"},
    {CsvField::Notes, "notes"},
    {CsvField::Notes, "extra"},
    {CsvField::Notes, "comment"},
}};

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::size_t> FindColumn(const std::vector<std::string>& header, std::string_view name)
{
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (EqualsIgnoringAsciiCase(TrimBlanks(header[i]), name)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<CsvColumns> CsvColumns::FromHeader(const std::vector<std::string>& header)
{
    CsvColumns columns;
    for (const auto& [field, name] : kHeaderNames) {
        std::optional<std::size_t>& column = columns.columns_[Index(field)];
        if (!column) {
            column = FindColumn(header, name);
        }
    }
    if (!columns.Has(CsvField::Password) && !columns.Has(CsvField::Url)) {
        return std::nullopt;
    }
    return columns;
}

std::string_view CsvColumns::Value(const std::vector<std::string>& row, CsvField field) const
{
    const std::optional<std::size_t>& column = columns_[Index(field)];
    if (!column || *column >= row.size()) {
        return {};
    }
    return row[*column];
}

} // namespace lk
