#pragma once

#include <vector>

namespace lk {

class AccountList;
class AccountRecord;

// What the document asks of the explorer pane. Filling a tree first runs that
// tree's ordering pass on the document's list, then has the pane rebuild the
// tree from the list's listed entries; both steps are here so that every pane
// (the window's, the command-line tool's, a test's) leaves the list in the same
// order with the same SortIndex values.
class ExplorerPort
{
public:
    enum class Tree
    {
        Frequency,
        Alphabet,
    };

    virtual ~ExplorerPort() = default;

    void FillAlphabetTree(AccountList& list);
    void FillFrequencyTree(AccountList& list);
    // Clears the selection of both trees, Frequency first, then Alphabet.
    virtual void ClearSelection() = 0;

protected:
    // Rebuilds one tree: the root "Account List", then one item for each of
    // `listed` (the listed entries of the list, in list order).
    virtual void RebuildTree(Tree tree, const std::vector<AccountRecord*>& listed) = 0;
};

} // namespace lk
