#include "core/transfer/CsvReader.h"

namespace lk {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

} // namespace

CsvReader::CsvReader(std::string_view text) : text_(text)
{
    if (text_.starts_with(kByteOrderMark)) {
        text_.remove_prefix(kByteOrderMark.size());
    }
}

std::optional<std::vector<std::string>> CsvReader::NextRow()
{
    if (position_ >= text_.size()) {
        return std::nullopt;
    }
    std::vector<std::string> row;
    for (bool more = true; more;) {
        more = ReadField(row.emplace_back());
    }
    SkipLineBreak();
    return row;
}

void CsvReader::SkipLineBreak()
{
    if (position_ >= text_.size() || !IsLineBreak(text_[position_])) {
        return;
    }
    // CR LF is one break; so is a lone CR, as older spreadsheets wrote them.
    if (text_[position_] == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n') {
        ++position_;
    }
    ++position_;
}

bool CsvReader::ReadField(std::string& field)
{
    if (position_ < text_.size() && text_[position_] == '"') {
        ++position_;
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c == '"') {
                if (position_ + 1 < text_.size() && text_[position_ + 1] == '"') {
                    field.push_back('"');
                    position_ += 2;
                    continue;
                }
                ++position_;
                break;
            }
            field.push_back(c);
            ++position_;
        }
    }
    // An unquoted field, or whatever follows a closing quote, runs to the next
    // comma or line break.
    while (position_ < text_.size()) {
        const char c = text_[position_];
        if (c == ',') {
            ++position_;
            return true;
        }
        if (IsLineBreak(c)) {
            return false;
        }
        field.push_back(c);
        ++position_;
    }
    return false;
}

} // namespace lk
