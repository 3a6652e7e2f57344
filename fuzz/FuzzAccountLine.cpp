// The account line: whatever ParseAccountLine accepts, formatted and parsed
// again, gives the same record field by field, and formatting is then stable to
// the unit. A rejected line must not touch anything past the record.
#include "FuzzSupport.h"
#include "core/store/AccountLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lk;
    const std::u16string text = fuzz::UnitsOf(data, size);

    AccountRecord first;
    if (!ParseAccountLine(text, first)) {
        return 0;
    }
    fuzz::RequireWithinLimits(first);

    const std::u16string line = FormatAccountLine(first);
    fuzz::Require(!line.empty() && line.back() == u'\n', "a formatted line without its line feed");
    fuzz::Require(line.find(u'\n') == line.size() - 1, "a line feed inside a formatted line");

    AccountRecord second;
    fuzz::Require(ParseAccountLine(line, second), "a formatted line does not parse");
    fuzz::RequireSameRecord(first, second);
    fuzz::Require(FormatAccountLine(second) == line, "formatting the same record twice differs");
    return 0;
}
