// The account file reader on arbitrary bytes, under an empty key and a real one.
// The outcome must follow from the bytes alone, the text it gives must parse
// without harm, and a record read from it must come back whole through a write
// and a read of its own file.
#include "FuzzSupport.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"

#include <span>

namespace {

void CheckUnderKey(std::span<const std::uint8_t> bytes, std::u16string_view key)
{
    using namespace lk;
    const AccountFileContent content = ReadAccountFile(bytes, key);
    const bool longEnough = bytes.size() >= AccountFileHeader::kSize;
    fuzz::Require((content.outcome == AccountFileOutcome::Short) == !longEnough, "Short for a long file, or not");
    if (content.outcome == AccountFileOutcome::Empty) {
        fuzz::Require(bytes.size() < AccountFileHeader::kSize + 2, "Empty for a file with a body");
    }
    if (content.outcome != AccountFileOutcome::Text) {
        return;
    }
    fuzz::Require(content.text.find(u'\0') == std::u16string::npos, "a zero unit inside the text");
    fuzz::Require(2 * content.text.size() <= bytes.size() - AccountFileHeader::kSize, "text longer than the body");

    AccountRecord record;
    if (!ParseAccountLine(content.text, record)) {
        return;
    }
    fuzz::RequireWithinLimits(record);

    const std::vector<std::uint8_t> written = WriteAccountFile(record, key);
    const AccountFileContent again = ReadAccountFile(written, key);
    fuzz::Require(again.outcome == AccountFileOutcome::Text, "a written account file does not read as text");
    fuzz::Require(again.recordCount == 0, "a written account file counts records");
    fuzz::Require(again.text == FormatAccountLine(record), "a written account file reads as another line");
    AccountRecord reread;
    fuzz::Require(ParseAccountLine(again.text, reread), "a written account file does not parse");
    fuzz::RequireSameRecord(record, reread);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    CheckUnderKey(bytes, u"");
    CheckUnderKey(bytes, u"fuzzer");
    return 0;
}
