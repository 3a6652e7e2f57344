#include "explorer/AccountOrdering.h"

#include "store/AccountList.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace lk {
namespace {

using Entries = std::vector<std::unique_ptr<AccountRecord>>;
using KeyLess = std::function<bool(const AccountRecord&, const AccountRecord&)>;

// The original program orders with an insertion pass: for i = 1 .. n-1 the
// entry at i gets SortIndex i and, unless hidden, moves in front of the first
// entry before it that is not hidden and that it must precede. That is a stable
// sort of the entries that are not hidden; a hidden entry K at index k ends up
// behind exactly those visible entries that precede the largest visible key M
// in front of k, or equal it and stood in front of k (a later entry smaller than
// M always finds its place in front of K, any other behind it). This gives the
// same order and SortIndex values in O(n log n).
void OrderLikeInsertionPass(Entries& entries, const KeyLess& less)
{
    const std::size_t n = entries.size();
    if (n <= 1) {
        return;
    }
    for (std::size_t i = 1; i < n; ++i) {
        entries[i]->SortIndex = static_cast<std::int32_t>(i);
    }

    std::vector<std::size_t> visible;
    visible.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!entries[i]->IsHidden()) {
            visible.push_back(i);
        }
    }
    if (visible.size() == n) {
        std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) { return less(*a, *b); });
        return;
    }
    std::vector<std::size_t> sorted = visible;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](std::size_t a, std::size_t b) { return less(*entries[a], *entries[b]); });

    // For every hidden entry, in its original order: how many visible entries end
    // up in front of it.
    std::vector<std::pair<std::size_t, std::size_t>> hiddenPlaces; // (visible entries in front, original index)
    std::optional<std::size_t> largest;                            // original index of the largest visible key so far
    for (std::size_t k = 0; k < n; ++k) {
        const AccountRecord& entry = *entries[k];
        if (!entry.IsHidden()) {
            if (!largest || less(*entries[*largest], entry)) {
                largest = k;
            }
            continue;
        }
        std::size_t inFront = 0;
        if (largest) {
            const AccountRecord& m = *entries[*largest];
            const auto precedes = [&](std::size_t e) {
                return less(*entries[e], m) || (!less(m, *entries[e]) && e < k);
            };
            inFront =
                static_cast<std::size_t>(std::partition_point(sorted.begin(), sorted.end(), precedes) - sorted.begin());
        }
        hiddenPlaces.emplace_back(inFront, k);
    }

    Entries ordered;
    ordered.reserve(n);
    auto hidden = hiddenPlaces.begin();
    for (std::size_t placed = 0; placed <= sorted.size(); ++placed) {
        for (; hidden != hiddenPlaces.end() && hidden->first == placed; ++hidden) {
            ordered.push_back(std::move(entries[hidden->second]));
        }
        if (placed < sorted.size()) {
            ordered.push_back(std::move(entries[sorted[placed]]));
        }
    }
    entries = std::move(ordered);
}

} // namespace

bool NameComesFirst(const AccountRecord& p, const AccountRecord& q)
{
    return p.AccountName.view() < q.AccountName.view();
}

bool CountComesFirst(const AccountRecord& p, const AccountRecord& q)
{
    return p.UseCount > q.UseCount;
}

bool IsListed(const AccountRecord& record)
{
    return !record.IsHidden() && record.SlotCount != 0 && !record.AccountName.empty();
}

void AccountList::SortByName()
{
    OrderLikeInsertionPass(records_, NameComesFirst);
}

void AccountList::SortByFrequency()
{
    OrderLikeInsertionPass(records_, CountComesFirst);
}

} // namespace lk
