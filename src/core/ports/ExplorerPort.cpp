#include "core/ports/ExplorerPort.h"

#include "core/explorer/ListingRule.h"
#include "core/store/AccountList.h"

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

} // namespace lk
