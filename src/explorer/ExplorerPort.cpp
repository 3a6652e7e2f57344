#include "explorer/ExplorerPort.h"

#include "explorer/AccountOrdering.h"
#include "store/AccountList.h"

namespace lk {

void ExplorerPort::FillAlphabetTree(AccountList& list)
{
    list.SortByName();
    RebuildTree(Tree::Alphabet, ListedAccounts(list));
}

void ExplorerPort::FillFrequencyTree(AccountList& list)
{
    list.SortByFrequency();
    RebuildTree(Tree::Frequency, ListedAccounts(list));
}

std::vector<AccountRecord*> ListedAccounts(const AccountList& list)
{
    std::vector<AccountRecord*> listed;
    for (const auto& record : list) {
        if (record && IsListed(*record)) {
            listed.push_back(record.get());
        }
    }
    return listed;
}

} // namespace lk
