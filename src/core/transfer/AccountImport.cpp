#include "core/transfer/AccountImport.h"

#include "core/platform/PrivateFile.h"
#include "core/store/AccountLine.h"
#include "core/store/AccountList.h"
#include "core/transfer/TransferText.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace lk {
namespace {

// The index of the first account of each name in the list, kept up to date as
// accounts are appended, so that a large import does not search the whole list
// once for every line.
class FirstIndexByName
{
public:
    explicit FirstIndexByName(const AccountList& list)
    {
        for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
            if (const AccountRecord* record = list.GetAt(i)) {
                Appended(*record, i);
            }
        }
    }

    // The first index of that name, or -1.
    std::ptrdiff_t Find(std::u16string_view name) const
    {
        const auto it = index_.find(std::u16string(name));
        return it == index_.end() ? -1 : it->second;
    }

    void Appended(const AccountRecord& record, std::ptrdiff_t index)
    {
        index_.try_emplace(record.AccountName.str(), index);
    }

private:
    std::unordered_map<std::u16string, std::ptrdiff_t> index_;
};

bool IsHeld(const AccountList& list, const FirstIndexByName& names, const AccountRecord& record)
{
    const AccountRecord* first = list.GetAt(names.Find(record.AccountName.view()));
    return first != nullptr && IsSameAccount(*first, record);
}

} // namespace

std::size_t MergeAccountLines(std::u16string_view text, AccountList& list,
                              const std::function<void(AccountRecord&)>& save)
{
    FirstIndexByName names(list);
    std::size_t added = 0;
    for (std::size_t position = 0;;) {
        const std::size_t feed = text.find(u'\n', position);
        if (feed == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view line = text.substr(position, feed + 1 - position);
        position = feed + 1;

        auto record = std::make_unique<AccountRecord>();
        if (!ParseAccountLine(line, *record) || !IsTransferred(*record) || IsHeld(list, names, *record)) {
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
