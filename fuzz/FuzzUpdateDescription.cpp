// The update description reader on arbitrary text. Every record it gives has a
// name that fits its field and holds no white space or zero; a name it calls
// safe stays inside the program folder; and the records written out again in
// the description's own format read back the same.
#include "FuzzSupport.h"
#include "core/update/UpdateDescription.h"

#include <string>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void RequireSafeNameStaysInside(std::string_view name)
{
    if (!lk::IsSafeUpdateName(name)) {
        return;
    }
    lk::fuzz::Require(!name.empty() && name != "." && name.find("..") == std::string_view::npos,
                      "a safe name that names a folder above");
    for (const char c : name) {
        lk::fuzz::Require(c != '/' && c != '\\' && c != ':', "a safe name with a separator or a drive");
    }
}

// The records in the description's format: "%d %s %d %x %x\r\n".
std::string Written(const std::vector<lk::UpdateRecord>& records)
{
    std::string text;
    for (const lk::UpdateRecord& record : records) {
        text += std::to_string(record.kind) + " " + record.name.str() + " " +
                std::to_string(static_cast<std::int32_t>(record.size)) + " ";
        char halves[32];
        std::snprintf(halves, sizeof halves, "%x %x\r\n", record.timeLow, record.timeHigh);
        text += halves;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lk;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const UpdateDescription description = ReadUpdateDescription(text);

    std::vector<UpdateRecord> whole; // the records that carry all five fields
    for (const UpdateRecord& record : description.records) {
        const std::string_view name = record.name.view();
        fuzz::Require(name.size() <= 63, "a name past 63 characters");
        for (const char c : name) {
            fuzz::Require(!IsWhiteSpace(c) && c != '\0', "white space or a zero inside a name");
        }
        RequireSafeNameStaysInside(name);
        if (!name.empty()) {
            whole.push_back(record);
        }
    }
    if (whole.size() != description.records.size() || description.endedEarly) {
        return 0;
    }
    const UpdateDescription again = ReadUpdateDescription(Written(whole));
    fuzz::Require(!again.endedEarly, "a written description does not read to its end");
    fuzz::Require(again.records == whole, "a written description reads as other records");
    return 0;
}
