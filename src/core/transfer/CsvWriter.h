#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace lk {

// Writes CSV as RFC 4180 has it and as browsers and password keepers read it:
// fields separated by commas, every row ended by CR LF, and a field that holds
// a comma, a double quote or a line break written in double quotes, its quotes
// doubled. Nothing else is changed: the text goes out as it was given (UTF-8,
// no byte-order mark).
class CsvWriter
{
public:
    void WriteRow(std::span<const std::string_view> fields);
    void WriteRow(std::initializer_list<std::string_view> fields) { WriteRow({fields.begin(), fields.size()}); }

    const std::string& Text() const { return text_; }

private:
    void WriteField(std::string_view field);

    std::string text_;
};

} // namespace lk
