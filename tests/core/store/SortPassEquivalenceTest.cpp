// The ordering passes against the plain insertion pass they stand for, on many
// random lists: same order, same SortIndex values.
#include "core/store/AccountList.h"
#include "core/store/AccountOrder.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace lk {
namespace {

using KeyLess = std::function<bool(const AccountRecord&, const AccountRecord&)>;

// The insertion pass as the list's users know it: for i = 1 .. n-1 the entry at
// i gets SortIndex i and, unless hidden, is moved in front of the first entry
// before it that is not hidden and that it must come before.
void InsertionPass(AccountList& list, const KeyLess& comesFirst)
{
    const std::ptrdiff_t n = list.GetCount();
    if (n <= 1) {
        return;
    }
    for (std::ptrdiff_t i = 1; i < n; ++i) {
        AccountRecord* p = list.GetAt(i);
        p->SortIndex = static_cast<std::int32_t>(i);
        if (p->Kind == kKindHidden) {
            continue;
        }
        for (std::ptrdiff_t j = 0; j < i; ++j) {
            const AccountRecord* q = list.GetAt(j);
            if (q->Kind == kKindHidden) {
                continue;
            }
            if (comesFirst(*p, *q)) {
                auto moved = list.RemoveAt(i);
                list.InsertAt(j, std::move(moved));
                break;
            }
        }
    }
}

bool ByName(const AccountRecord& p, const AccountRecord& q)
{
    return p.AccountName.view() < q.AccountName.view();
}

bool ByCount(const AccountRecord& p, const AccountRecord& q)
{
    return p.UseCount > q.UseCount;
}

// Each record carries its identity in Aux32.
struct Entry
{
    std::string id;
    std::int32_t sortIndex;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Entry& e) { return out << e.id << "@" << e.sortIndex; }
};

std::vector<Entry> Entries(const AccountList& list)
{
    std::vector<Entry> entries;
    for (const auto& record : list) {
        entries.push_back({record->Aux32.str(), record->SortIndex});
    }
    return entries;
}

class RandomLists
{
public:
    explicit RandomLists(std::uint32_t seed) : random_(seed) {}

    // Two lists holding equal copies of the same random records.
    void Make(std::size_t size, AccountList& a, AccountList& b)
    {
        static const std::u16string_view names[] = {u"",        u"a",  u"A",          u"b",  u"B",      u"ab",
                                                    u"Ab",      u"aB", u"Zeta",       u"_x", u"\u00e9", u"Mail",
                                                    u"Mailbox", u"m",  u"\U0001F600", u"z"};
        static const std::uint32_t counts[] = {0, 0, 1, 2, 3, 3, 7, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        const int hiddenPercent = std::uniform_int_distribution<int>(0, 60)(random_);
        for (std::size_t i = 0; i < size; ++i) {
            auto record = std::make_unique<AccountRecord>();
            record->Aux32 = std::to_string(i);
            record->AccountName = names[Pick(std::size(names))];
            record->UseCount = counts[Pick(std::size(counts))];
            record->Kind = Percent() < hiddenPercent ? kKindHidden : (Percent() < 50 ? kKindSaved : 0);
            record->SlotCount = static_cast<std::uint32_t>(Pick(5));
            record->SortIndex = static_cast<std::int32_t>(random_());
            auto copy = std::make_unique<AccountRecord>(*record);
            a.Add(std::move(record));
            b.Add(std::move(copy));
        }
    }

    std::size_t Size(std::size_t most) { return Pick(most + 1); }

private:
    std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }
    int Percent() { return std::uniform_int_distribution<int>(0, 99)(random_); }

    std::mt19937 random_;
};

struct Pass
{
    const char* name;
    void (AccountList::*sort)();
    KeyLess key;
    friend void PrintTo(const Pass& row, std::ostream* out) { *out << row.name; }
};

class SortPassEquivalenceTest : public testing::TestWithParam<Pass>
{};

TEST_P(SortPassEquivalenceTest, SameOrderAndSortIndexAsTheInsertionPass)
{
    RandomLists lists(20240611);
    for (int round = 0; round < 400; ++round) {
        const std::size_t size = round < 10 ? static_cast<std::size_t>(round) : lists.Size(300);
        AccountList reference;
        AccountList fast;
        lists.Make(size, reference, fast);
        InsertionPass(reference, GetParam().key);
        (fast.*GetParam().sort)();
        ASSERT_EQ(Entries(fast), Entries(reference)) << "round " << round << ", " << size << " entries";
    }
}

TEST_P(SortPassEquivalenceTest, ASecondRunChangesNoOrder)
{
    RandomLists lists(77);
    for (int round = 0; round < 100; ++round) {
        AccountList reference;
        AccountList fast;
        lists.Make(lists.Size(200), reference, fast);
        (fast.*GetParam().sort)();
        std::vector<std::string> once;
        for (const auto& record : fast) {
            once.push_back(record->Aux32.str());
        }
        (fast.*GetParam().sort)();
        std::vector<std::string> twice;
        for (const auto& record : fast) {
            twice.push_back(record->Aux32.str());
        }
        ASSERT_EQ(twice, once) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Passes, SortPassEquivalenceTest,
                         testing::Values(Pass{"ByName", &AccountList::SortByName, ByName},
                                         Pass{"ByFrequency", &AccountList::SortByFrequency, ByCount}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SortPassEquivalence, TheRefreshSequenceMatches)
{
    // Name, name, frequency, frequency: what a refresh runs.
    RandomLists lists(5);
    for (int round = 0; round < 200; ++round) {
        AccountList reference;
        AccountList fast;
        lists.Make(lists.Size(250), reference, fast);
        InsertionPass(reference, ByName);
        InsertionPass(reference, ByName);
        InsertionPass(reference, ByCount);
        InsertionPass(reference, ByCount);
        fast.SortByName();
        fast.SortByName();
        fast.SortByFrequency();
        fast.SortByFrequency();
        ASSERT_EQ(Entries(fast), Entries(reference)) << "round " << round;
    }
}

TEST(SortPassEquivalence, AllHiddenOrNoneHidden)
{
    for (const bool hidden : {true, false}) {
        AccountList reference;
        AccountList fast;
        for (int i = 0; i < 50; ++i) {
            for (AccountList* list : {&reference, &fast}) {
                auto record = std::make_unique<AccountRecord>();
                record->Aux32 = std::to_string(i);
                record->AccountName = std::u16string(1, static_cast<char16_t>(u'a' + (i * 7) % 26));
                record->Kind = hidden ? kKindHidden : 0;
                list->Add(std::move(record));
            }
        }
        InsertionPass(reference, ByName);
        fast.SortByName();
        EXPECT_EQ(Entries(fast), Entries(reference)) << hidden;
    }
}

} // namespace
} // namespace lk
