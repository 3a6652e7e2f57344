#include "core/explorer/ListingRule.h"
#include "core/ports/ExplorerPort.h"
#include "core/store/AccountList.h"
#include "core/store/AccountOrder.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using Names = std::vector<std::u16string>;

struct Entry
{
    std::u16string name;
    std::uint32_t useCount = 0;
    std::int32_t kind = 0;
    std::uint32_t slotCount = 1;
};

void Fill(AccountList& list, std::initializer_list<Entry> entries)
{
    for (const Entry& account : entries) {
        auto record = std::make_unique<AccountRecord>();
        record->AccountName = account.name;
        record->UseCount = account.useCount;
        record->Kind = account.kind;
        record->SlotCount = account.slotCount;
        record->SortIndex = -7;
        list.Add(std::move(record));
    }
}

Names NamesOf(const AccountList& list)
{
    Names names;
    for (const auto& record : list) {
        names.push_back(record->AccountName.str());
    }
    return names;
}

TEST(SortByName, UpperCaseBeforeLowerCase)
{
    AccountList list;
    Fill(list, {{u"b"}, {u"B"}, {u"a"}, {u"Zeta"}});
    list.SortByName();
    EXPECT_EQ(NamesOf(list), (Names{u"B", u"Zeta", u"a", u"b"}));
}

TEST(SortByName, ANameBeforeTheLongerNamesItBegins)
{
    AccountList list;
    Fill(list, {{u"Mailbox"}, {u"Mail"}, {u"Mail "}});
    list.SortByName();
    EXPECT_EQ(NamesOf(list), (Names{u"Mail", u"Mail ", u"Mailbox"}));
}

TEST(SortByName, CodeUnitsCompareUnsigned)
{
    // A surrogate (0xD83D) is below U+E000 and above U+00E9.
    AccountList list;
    Fill(list, {{u"\uE000"}, {u"\U0001F600"}, {u"\u00e9"}, {u"z"}});
    list.SortByName();
    EXPECT_EQ(NamesOf(list), (Names{u"z", u"\u00e9", u"\U0001F600", u"\uE000"}));
}

TEST(SortByName, EqualNamesKeepTheirOrder)
{
    AccountList list;
    Fill(list, {{u"Twin", 1}, {u"A"}, {u"Twin", 2}});
    list.SortByName();
    ASSERT_EQ(NamesOf(list), (Names{u"A", u"Twin", u"Twin"}));
    EXPECT_EQ(list.GetAt(1)->UseCount, 1u);
    EXPECT_EQ(list.GetAt(2)->UseCount, 2u);
}

TEST(SortByName, SortIndexIsTheIndexBeforeThePassAndTheFirstKeepsIts)
{
    AccountList list;
    Fill(list, {{u"c"}, {u"a"}, {u"b"}});
    list.SortByName();
    ASSERT_EQ(NamesOf(list), (Names{u"a", u"b", u"c"}));
    EXPECT_EQ(list.GetAt(0)->SortIndex, 1);
    EXPECT_EQ(list.GetAt(1)->SortIndex, 2);
    EXPECT_EQ(list.GetAt(2)->SortIndex, -7);
}

TEST(SortByName, AHiddenEntryIsNotPlacedButPushedBack)
{
    // The hidden entry stays behind the entry in front of it; "a" moves in front of both.
    AccountList list;
    Fill(list, {{u"c"}, {u"hidden", 0, kKindHidden}, {u"a"}, {u"d"}});
    list.SortByName();
    EXPECT_EQ(NamesOf(list), (Names{u"a", u"c", u"hidden", u"d"}));
    EXPECT_EQ(list.GetAt(2)->SortIndex, 1);
}

TEST(SortByName, NothingToDoForShortLists)
{
    AccountList empty;
    empty.SortByName();
    EXPECT_EQ(empty.GetCount(), 0);
    AccountList one;
    Fill(one, {{u"x"}});
    one.SortByName();
    EXPECT_EQ(one.GetAt(0)->SortIndex, -7);
}

TEST(SortByFrequency, MostUsedFirstTiesInNameOrder)
{
    AccountList list;
    Fill(list, {{u"x", 3}, {u"a", 0}, {u"c", 3}});
    list.SortByName();
    list.SortByFrequency();
    EXPECT_EQ(NamesOf(list), (Names{u"c", u"x", u"a"}));
}

TEST(SortByFrequency, CountsCompareUnsigned)
{
    AccountList list;
    Fill(list, {{u"often", 1000}, {u"wrapped", 0xFFFFFFFFu}, {u"half", 0x80000000u}});
    list.SortByFrequency();
    EXPECT_EQ(NamesOf(list), (Names{u"wrapped", u"half", u"often"}));
}

TEST(Keys, NameAndCountTests)
{
    AccountRecord p;
    AccountRecord q;
    p.AccountName = u"B";
    q.AccountName = u"a";
    EXPECT_TRUE(NameComesFirst(p, q));
    EXPECT_FALSE(NameComesFirst(q, p));
    EXPECT_FALSE(NameComesFirst(p, p));
    p.UseCount = 2;
    q.UseCount = 1;
    EXPECT_TRUE(CountComesFirst(p, q));
    EXPECT_FALSE(CountComesFirst(q, p));
    EXPECT_FALSE(CountComesFirst(p, p));
}

TEST(IsListed, HiddenSlotlessAndNamelessEntriesAreNotListed)
{
    AccountList list;
    Fill(list, {{u"shown", 0, 9, 1},
                {u"hidden", 0, kKindHidden, 1},
                {u"no slots", 0, 0, 0},
                {u"", 0, 0, 3},
                {u"four", 0, 0, 4},
                {u"other kind", 0, 11, 2}});
    Names listed;
    for (const AccountRecord* record : ListedAccounts(list)) {
        listed.push_back(record->AccountName.str());
    }
    EXPECT_EQ(listed, (Names{u"shown", u"four", u"other kind"}));
    EXPECT_EQ(list.GetCount(), 6);
    EXPECT_FALSE(IsListed(AccountRecord{}));
}

} // namespace
} // namespace lk
