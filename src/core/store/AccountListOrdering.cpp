#include "core/store/AccountList.h"
#include "core/store/AccountOrder.h"

#include <algorithm>
#include <optional>

namespace lk {
namespace {

using Entries = std::vector<std::unique_ptr<AccountRecord>>;

// The original program orders with an insertion pass: for i = 1 .. n-1 the
// entry at i gets SortIndex i and, unless hidden, moves in front of the first
// entry before it that is not hidden and that it must precede. That is a stable
// sort of the entries that are not hidden; a hidden entry K at index k ends up
// behind exactly those visible entries that precede the largest visible key M
// in front of k, or equal it and stood in front of k (a later entry smaller than
// M always finds its place in front of K, any other behind it). This gives the
// same order and SortIndex values in O(n log n).
//
// `less(a, b)` compares the keys of the entries at the indexes a and b before
// the pass; the keys are taken out of the records first, so that the sort walks
// a compact table instead of every record.
template <class KeyLess> void OrderLikeInsertionPass(Entries& entries, const KeyLess& less)
{
    const std::size_t n = entries.size();
    if (n <= 1) {
        return;
    }
    for (std::size_t i = 1; i < n; ++i) {
        entries[i]->SortIndex = static_cast<std::int32_t>(i);
    }

    std::vector<std::size_t> sorted;
    sorted.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!entries[i]->IsHidden()) {
            sorted.push_back(i);
        }
    }
    std::stable_sort(sorted.begin(), sorted.end(), less);

    // For every hidden entry, in its original order: how many visible entries end
    // up in front of it.
    std::vector<std::pair<std::size_t, std::size_t>> hiddenPlaces; // (visible entries in front, original index)
    std::optional<std::size_t> largest;                            // original index of the largest visible key so far
    for (std::size_t k = 0; k < n; ++k) {
        if (!entries[k]->IsHidden()) {
            if (!largest || less(*largest, k)) {
                largest = k;
            }
            continue;
        }
        std::size_t inFront = 0;
        if (largest) {
            const std::size_t m = *largest;
            const auto precedes = [&](std::size_t e) { return less(e, m) || (!less(m, e) && e < k); };
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

// Every account name, one after the other in one buffer.
class NameTable
{
public:
    explicit NameTable(const Entries& entries)
    {
        std::size_t units = 0;
        for (const auto& entry : entries) {
            units += entry->AccountName.size();
        }
        units_.reserve(units);
        spans_.reserve(entries.size());
        for (const auto& entry : entries) {
            const std::u16string_view name = entry->AccountName.view();
            spans_.emplace_back(static_cast<std::uint32_t>(units_.size()), static_cast<std::uint32_t>(name.size()));
            units_.append(name);
        }
    }
    std::u16string_view operator[](std::size_t i) const
    {
        return std::u16string_view(units_).substr(spans_[i].first, spans_[i].second);
    }

private:
    std::u16string units_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans_;
};

} // namespace

bool NameComesFirst(const AccountRecord& p, const AccountRecord& q)
{
    return p.AccountName.view() < q.AccountName.view();
}

bool CountComesFirst(const AccountRecord& p, const AccountRecord& q)
{
    return p.UseCount > q.UseCount;
}

void AccountList::SortByName()
{
    const NameTable names(records_);
    OrderLikeInsertionPass(records_, [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
}

void AccountList::SortByFrequency()
{
    std::vector<std::uint32_t> counts;
    counts.reserve(records_.size());
    for (const auto& record : records_) {
        counts.push_back(record->UseCount);
    }
    OrderLikeInsertionPass(records_, [&](std::size_t a, std::size_t b) { return counts[a] > counts[b]; });
}

} // namespace lk
