#include "core/store/AccountRecord.h"

#include <cctype>
#include <functional>
#include <gtest/gtest.h>

namespace lk {
namespace {

// A record with every field set, and slot values that tell the slots apart.
AccountRecord FilledRecord(const std::string& tag)
{
    AccountRecord r;
    const std::u16string wide(tag.begin(), tag.end());
    r.AuxText = u"aux" + wide;
    r.AccountName = u"name" + wide;
    r.Url = "https://" + tag;
    r.Aux32 = "a32" + tag;
    r.FileStem = "stem" + tag;
    r.Aux4 = tag.substr(0, 3);
    r.SortIndex = 7;
    r.UseCount = 11;
    r.Kind = 9;
    r.Aux64 = "a64" + tag;
    r.SlotCount = 3;
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const std::string n = std::to_string(i) + tag;
        r.Slots[i].Flag = static_cast<std::int32_t>(i + 1);
        r.Slots[i].Name = "n" + n;
        r.Slots[i].Label = "l" + n;
        r.Slots[i].Value = "v" + n;
    }
    r.Comment = u"comment" + wide;
    return r;
}

bool SameSlot(const FieldSlot& a, const FieldSlot& b)
{
    return a.Flag == b.Flag && a.Name == b.Name && a.Label == b.Label && a.Value == b.Value;
}

TEST(AccountRecord, StartsEmptyAndZero)
{
    const AccountRecord r;
    EXPECT_TRUE(r.AuxText.empty() && r.AccountName.empty() && r.Url.empty() && r.Aux32.empty() && r.FileStem.empty() &&
                r.Aux4.empty() && r.Aux64.empty() && r.Comment.empty());
    EXPECT_EQ(r.SortIndex, 0);
    EXPECT_EQ(r.UseCount, 0u);
    EXPECT_EQ(r.Kind, 0);
    EXPECT_EQ(r.SlotCount, 0u);
    EXPECT_FALSE(r.IsHidden());
    for (const FieldSlot& slot : r.Slots) {
        EXPECT_TRUE(SameSlot(slot, FieldSlot{}));
    }
}

TEST(AccountRecord, CopyFromCopiesTheEditedFieldsOnly)
{
    const AccountRecord source = FilledRecord("S");
    AccountRecord target = FilledRecord("T");
    target.SortIndex = 99;
    EXPECT_TRUE(target.CopyFrom(source));

    EXPECT_EQ(target.AuxText, source.AuxText);
    EXPECT_EQ(target.AccountName, source.AccountName);
    EXPECT_EQ(target.FileStem, source.FileStem);
    EXPECT_EQ(target.Url, source.Url);
    EXPECT_EQ(target.Aux64, source.Aux64);
    EXPECT_EQ(target.SlotCount, source.SlotCount);
    EXPECT_EQ(target.Kind, source.Kind);
    EXPECT_EQ(target.UseCount, source.UseCount);
    EXPECT_EQ(target.Comment, source.Comment);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(SameSlot(target.Slots[i], source.Slots[i])) << i;
    }
    // Not copied: Aux32, Aux4, SortIndex and the slots from the source's count on.
    const AccountRecord untouched = FilledRecord("T");
    EXPECT_EQ(target.Aux32, untouched.Aux32);
    EXPECT_EQ(target.Aux4, untouched.Aux4);
    EXPECT_EQ(target.SortIndex, 99);
    EXPECT_TRUE(SameSlot(target.Slots[3], untouched.Slots[3]));
}

TEST(AccountRecord, CopyFromOneSlotLeavesTheOthersAsTheyWere)
{
    AccountRecord source = FilledRecord("S");
    source.SlotCount = 1;
    AccountRecord target = FilledRecord("T");
    target.CopyFrom(source);
    EXPECT_EQ(target.SlotCount, 1u);
    EXPECT_TRUE(SameSlot(target.Slots[0], source.Slots[0]));
    const AccountRecord untouched = FilledRecord("T");
    for (std::size_t i = 1; i < kSlotCount; ++i) {
        EXPECT_TRUE(SameSlot(target.Slots[i], untouched.Slots[i])) << i;
    }
}

TEST(AccountRecord, CopyFromAtMostFourSlots)
{
    AccountRecord source = FilledRecord("S");
    source.SlotCount = 4;
    AccountRecord target;
    target.CopyFrom(source);
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        EXPECT_TRUE(SameSlot(target.Slots[i], source.Slots[i])) << i;
    }
}

struct SameAccountCase
{
    const char* what;
    std::function<void(AccountRecord&)> change;
    bool same;
    friend void PrintTo(const SameAccountCase& row, std::ostream* out) { *out << row.what; }
};

class IsSameAccountTest : public testing::TestWithParam<SameAccountCase>
{};

TEST_P(IsSameAccountTest, ComparesTheAccountsContent)
{
    const AccountRecord a = FilledRecord("X");
    AccountRecord b = FilledRecord("X");
    GetParam().change(b);
    EXPECT_EQ(IsSameAccount(a, b), GetParam().same);
    EXPECT_EQ(IsSameAccount(b, a), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsSameAccountTest,
    testing::Values(SameAccountCase{"nothing", [](AccountRecord&) {}, true},
                    SameAccountCase{"use count", [](AccountRecord& r) { r.UseCount = 500; }, true},
                    SameAccountCase{"file stem", [](AccountRecord& r) { r.FileStem = "other"; }, true},
                    SameAccountCase{"sort index", [](AccountRecord& r) { r.SortIndex = -4; }, true},
                    SameAccountCase{"aux32", [](AccountRecord& r) { r.Aux32 = "zz"; }, true},
                    SameAccountCase{"aux4", [](AccountRecord& r) { r.Aux4 = "zz"; }, true},
                    SameAccountCase{"slot 3 beyond the count", [](AccountRecord& r) { r.Slots[3].Value = "zz"; }, true},
                    SameAccountCase{"aux text", [](AccountRecord& r) { r.AuxText = u"zz"; }, false},
                    SameAccountCase{"name case", [](AccountRecord& r) { r.AccountName = u"NAMEX"; }, false},
                    SameAccountCase{"url", [](AccountRecord& r) { r.Url = "https://Y"; }, false},
                    SameAccountCase{"aux64", [](AccountRecord& r) { r.Aux64 = "zz"; }, false},
                    SameAccountCase{"slot count", [](AccountRecord& r) { r.SlotCount = 2; }, false},
                    SameAccountCase{"kind", [](AccountRecord& r) { r.Kind = 10; }, false},
                    SameAccountCase{"slot 0 flag", [](AccountRecord& r) { r.Slots[0].Flag = 0; }, false},
                    SameAccountCase{"slot 1 name", [](AccountRecord& r) { r.Slots[1].Name = "zz"; }, false},
                    SameAccountCase{"slot 2 label", [](AccountRecord& r) { r.Slots[2].Label = "zz"; }, false},
                    SameAccountCase{"slot 2 value", [](AccountRecord& r) { r.Slots[2].Value = "zz"; }, false},
                    SameAccountCase{"comment", [](AccountRecord& r) { r.Comment = u"commentx"; }, false}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(IsSameAccount, OnlyTheSlotsInUseCount)
{
    AccountRecord a = FilledRecord("X");
    AccountRecord b = FilledRecord("X");
    a.SlotCount = b.SlotCount = 1;
    b.Slots[2].Value = "different";
    b.Slots[1].Flag = 42;
    EXPECT_TRUE(IsSameAccount(a, b));
    a.SlotCount = b.SlotCount = 0;
    b.Slots[0].Value = "different";
    EXPECT_TRUE(IsSameAccount(a, b));
}

} // namespace
} // namespace lk
