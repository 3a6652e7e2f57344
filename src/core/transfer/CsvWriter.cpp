#include "core/transfer/CsvWriter.h"

namespace lk {

void CsvWriter::WriteRow(std::span<const std::string_view> fields)
{
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first) {
            text_.push_back(',');
        }
        first = false;
        WriteField(field);
    }
    text_ += "\r\n";
}

void CsvWriter::WriteField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        text_ += field;
        return;
    }
    text_.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            text_.push_back('"');
        }
        text_.push_back(c);
    }
    text_.push_back('"');
}

} // namespace lk
