#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lk {

// Reads the rows of a CSV text as the password keepers and browsers write it
// (RFC 4180): fields separated by commas, rows ended by CR LF, LF or a lone CR,
// a field in double quotes holding commas, line breaks and doubled quotes. A
// UTF-8 byte-order mark in front of the first row is not part of it.
//
// The reader never refuses a text: writers that are not strict are met halfway.
// A quote inside an unquoted field is kept as it is, text after a closing quote
// up to the next comma belongs to the field, and a quoted field left open runs
// to the end of the text. Line breaks inside quotes are kept as written.
class CsvReader
{
public:
    explicit CsvReader(std::string_view text);

    // The next row's fields, or nothing when the text is used up. A text that
    // ends with a line break has no empty row after it.
    std::optional<std::vector<std::string>> NextRow();

private:
    // Reads one field from the current position; true when the row goes on
    // after it (a comma followed it).
    bool ReadField(std::string& field);
    // Steps over a line break at the current position, if there is one.
    void SkipLineBreak();

    std::string_view text_;
    std::size_t position_ = 0;
};

} // namespace lk
