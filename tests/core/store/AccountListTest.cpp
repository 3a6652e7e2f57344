#include "core/store/AccountList.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

std::unique_ptr<AccountRecord> Named(std::u16string_view name)
{
    auto record = std::make_unique<AccountRecord>();
    record->AccountName = name;
    return record;
}

std::u16string NamesOf(const AccountList& list)
{
    std::u16string names;
    for (const auto& record : list) {
        names += record->AccountName.view();
        names += u' ';
    }
    return names;
}

TEST(AccountList, AddGetAndCount)
{
    AccountList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_TRUE(list.Add(Named(u"a")));
    EXPECT_TRUE(list.Add(Named(u"b")));
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(1)->AccountName.view(), u"b");
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(2), nullptr);
}

TEST(AccountList, InsertAndRemoveMoveTheEntriesBehind)
{
    AccountList list;
    list.Add(Named(u"a"));
    list.Add(Named(u"c"));
    list.InsertAt(1, Named(u"b"));
    list.InsertAt(0, Named(u"0"));
    list.InsertAt(99, Named(u"z"));
    EXPECT_EQ(NamesOf(list), u"0 a b c z ");

    AccountRecord* b = list.GetAt(2);
    auto removed = list.RemoveAt(2);
    EXPECT_EQ(removed.get(), b);
    EXPECT_EQ(NamesOf(list), u"0 a c z ");
    EXPECT_EQ(list.RemoveAt(-1), nullptr);
    EXPECT_EQ(list.RemoveAt(4), nullptr);
    EXPECT_EQ(list.GetCount(), 4);
}

TEST(AccountList, IndexOfIsByIdentity)
{
    AccountList list;
    list.Add(Named(u"same"));
    list.Add(Named(u"same"));
    const AccountRecord outside;
    EXPECT_EQ(list.IndexOf(list.GetAt(1)), 1);
    EXPECT_EQ(list.IndexOf(&outside), -1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
}

TEST(AccountList, FindByNameIsExactAndFirst)
{
    AccountList list;
    list.Add(Named(u"Mail"));
    list.Add(Named(u"mail"));
    list.Add(Named(u"mail"));
    EXPECT_EQ(list.FindByName(u"mail"), 1);
    EXPECT_EQ(list.FindByName(u"Mail"), 0);
    EXPECT_EQ(list.FindByName(u"MAIL"), -1);
    EXPECT_EQ(list.FindByName(u"Mai"), -1);
}

TEST(AccountList, ClearEmptiesTheList)
{
    AccountList list;
    list.Add(Named(u"a"));
    list.Add(Named(u"b"));
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);
}

} // namespace
} // namespace lk
