#include "core/transfer/AccountImport.h"

#include "core/platform/PrivateFile.h"
#include "core/store/AccountLine.h"
#include "core/store/AccountList.h"
#include "core/transfer/AccountNameIndex.h"
#include "core/transfer/TransferText.h"

#include <memory>

namespace lk {

std::size_t MergeAccountLines(std::u16string_view text, AccountList& list,
                              const std::function<void(AccountRecord&)>& save)
{
    AccountNameIndex names(list);
    std::size_t added = 0;
    for (std::size_t position = 0;;) {
        const std::size_t feed = text.find(u'\n', position);
        if (feed == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view line = text.substr(position, feed + 1 - position);
        position = feed + 1;

        auto record = std::make_unique<AccountRecord>();
        if (!ParseAccountLine(line, *record) || !IsTransferred(*record) || names.IsHeld(list, *record)) {
            continue;
        }
        AccountRecord& kept = *record;
        const std::ptrdiff_t index = list.GetCount();
        if (!list.Add(std::move(record))) {
            continue;
        }
        names.Appended(kept, index);
        save(kept);
        ++added;
    }
    return added;
}

} // namespace lk
