// The import walk over an arbitrary import file, into a list that already holds
// a few accounts. Every account it adds is in the list, saved once, listed
// material (named, not hidden) and within the record's limits; the text after
// the last line feed changes nothing; and the walk is the same on a second run.
#include "FuzzSupport.h"
#include "core/store/AccountLine.h"
#include "core/store/AccountList.h"
#include "core/transfer/AccountImport.h"
#include "core/transfer/TransferText.h"

#include <memory>
#include <span>
#include <vector>

namespace {

// A store that holds two accounts of one name and a hidden one, so that lines
// meet the first-of-that-name rule and the hidden kind.
void FillStore(lk::AccountList& list)
{
    const char16_t* const lines[] = {
        u",Bank,https://bank.example,,111,,0,3,9,,1,0,pw,,,0,,,,0,,,,0,,,,,\n",
        u",Bank,https://other.example,,112,,0,0,9,,1,0,pw,,,0,,,,0,,,,0,,,,,\n",
        u",Hidden,,,113,,0,0,10,,0,0,,,,0,,,,0,,,,0,,,,,\n",
    };
    for (const char16_t* line : lines) {
        auto record = std::make_unique<lk::AccountRecord>();
        lk::ParseAccountLine(line, *record);
        list.Add(std::move(record));
    }
}

struct Walk
{
    std::size_t added = 0;
    std::vector<std::u16string> savedLines;
    std::vector<std::u16string> listLines;
};

Walk RunWalk(std::u16string_view text)
{
    using namespace lk;
    AccountList list;
    FillStore(list);
    const std::ptrdiff_t before = list.GetCount();
    Walk walk;
    walk.added = MergeAccountLines(text, list, [&](AccountRecord& record) {
        fuzz::Require(list.IndexOf(&record) >= 0, "a saved account is not in the list");
        walk.savedLines.push_back(FormatAccountLine(record));
    });
    fuzz::Require(list.GetCount() == before + static_cast<std::ptrdiff_t>(walk.added), "the count of added accounts");
    fuzz::Require(walk.savedLines.size() == walk.added, "an added account saved other than once");
    for (std::ptrdiff_t i = before; i < list.GetCount(); ++i) {
        const AccountRecord& record = *list.GetAt(i);
        fuzz::Require(!record.IsHidden() && !record.AccountName.empty(), "a hidden or unnamed account imported");
        fuzz::RequireWithinLimits(record);
    }
    for (const auto& record : list) {
        walk.listLines.push_back(FormatAccountLine(*record));
    }
    return walk;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = lk::DecodeUtf16Le(std::span<const std::uint8_t>(data, size));
    lk::fuzz::Require(text.find(u'\0') == std::u16string::npos, "a zero unit inside the import text");

    const Walk walk = RunWalk(text);
    const Walk again = RunWalk(text);
    lk::fuzz::Require(walk.listLines == again.listLines, "the same import twice gives other accounts");

    const std::size_t lastFeed = text.rfind(u'\n');
    const std::u16string_view read =
        lastFeed == std::u16string::npos ? std::u16string_view() : std::u16string_view(text).substr(0, lastFeed + 1);
    const Walk cut = RunWalk(read);
    lk::fuzz::Require(walk.listLines == cut.listLines, "text after the last line feed was imported");
    return 0;
}
