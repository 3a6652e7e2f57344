#include "cli/Json.h"

#include "core/editor/FormBoxes.h"
#include "core/platform/TextConversion.h"
#include "core/store/AccountRecord.h"

#include <array>

namespace lk::cli {

std::string JsonString(std::string_view text)
{
    constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                           '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json.push_back('\\');
            json.push_back(c);
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\r') {
            json += "\\r";
        } else if (c == '\t') {
            json += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            json += "\\u00";
            json.push_back(kHex[byte >> 4]);
            json.push_back(kHex[byte & 0x0F]);
        } else {
            json.push_back(c);
        }
    }
    json.push_back('"');
    return json;
}

void WriteAccountJson(std::ostream& out, const AccountRecord& record, bool withPassword)
{
    const FormBoxes boxes = ShownBoxes(record);
    out << "{\"name\": " << JsonString(ToEightBit(boxes.account)) << ", \"url\": " << JsonString(ToEightBit(boxes.url))
        << ", \"userName\": " << JsonString(ToEightBit(boxes.userName))
        << ", \"accountId\": " << JsonString(ToEightBit(boxes.accountId))
        << ", \"comment\": " << JsonString(ToEightBit(boxes.comment)) << ", \"useCount\": " << record.UseCount;
    if (withPassword) {
        out << ", \"password\": " << JsonString(ToEightBit(boxes.password));
    }
    out << '}';
}

void WriteAccountsJson(std::ostream& out, const std::vector<AccountRecord*>& records)
{
    out << '[';
    const char* separator = "\n";
    for (const AccountRecord* record : records) {
        out << separator << "  ";
        WriteAccountJson(out, *record, false);
        separator = ",\n";
    }
    out << (records.empty() ? "]\n" : "\n]\n");
}

} // namespace lk::cli
