#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lk {

// What a column of an imported CSV file means to an account.
enum class CsvField
{
    Name,
    Url,
    UserName,
    Password,
    Notes,
};

// Which column of a CSV file holds which field, found from its header row. The
// exports of browsers and password keepers name the same fields differently
// (Bitwarden's "login_uri", KeePassXC's "Title", LastPass's "extra"); the table
// of names in CsvColumns.cpp knows them. Names are matched without regard to
// ASCII case and to blanks around them, columns may come in any order, and a
// column the table does not know is left alone.
class CsvColumns
{
public:
    // The columns of a header row, or nothing when it names neither a password
    // nor a URL column: then the file is not an export of accounts.
    static std::optional<CsvColumns> FromHeader(const std::vector<std::string>& header);

    // The row's text of the field, empty when the file has no such column or
    // the row is shorter.
    std::string_view Value(const std::vector<std::string>& row, CsvField field) const;

    bool Has(CsvField field) const { return columns_[Index(field)].has_value(); }

private:
    static constexpr std::size_t Index(CsvField field) { return static_cast<std::size_t>(field); }

    std::array<std::optional<std::size_t>, 5> columns_{};
};

} // namespace lk
