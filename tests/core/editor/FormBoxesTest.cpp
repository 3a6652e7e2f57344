#include "core/editor/FormBoxes.h"

#include "core/store/AccountRecord.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

std::u16string Repeat(std::size_t count, char16_t unit = u'a')
{
    return std::u16string(count, unit);
}

struct LimitCase
{
    const char* name;
    std::u16string FormBoxes::*box;
    std::size_t limit;
};

class ReadLimitTest : public ::testing::TestWithParam<LimitCase>
{};

TEST_P(ReadLimitTest, TakesTheFirstCharactersUpToTheLimit)
{
    const LimitCase& c = GetParam();
    FormBoxes boxes;
    boxes.*c.box = Repeat(c.limit);
    EXPECT_EQ(ApplyReadLimits(boxes).*c.box, Repeat(c.limit)) << "a text of the limit is taken whole";
    boxes.*c.box = Repeat(c.limit) + u"bc";
    EXPECT_EQ(ApplyReadLimits(boxes).*c.box, Repeat(c.limit));
}

TEST_P(ReadLimitTest, NeverSplitsASurrogatePair)
{
    const LimitCase& c = GetParam();
    FormBoxes boxes;
    // A pair whose first half is the last unit the limit allows.
    boxes.*c.box = Repeat(c.limit - 1) + u"\U0001F600";
    EXPECT_EQ(ApplyReadLimits(boxes).*c.box, Repeat(c.limit - 1));
}

INSTANTIATE_TEST_SUITE_P(EveryBox, ReadLimitTest,
                         ::testing::Values(LimitCase{"Account", &FormBoxes::account, 126},
                                           LimitCase{"Url", &FormBoxes::url, 510},
                                           LimitCase{"UserName", &FormBoxes::userName, 62},
                                           LimitCase{"AccountId", &FormBoxes::accountId, 62},
                                           LimitCase{"Password", &FormBoxes::password, 62},
                                           LimitCase{"Comment", &FormBoxes::comment, 510}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShownBoxesTest, LoginBoxesBeyondTheSlotCountAreEmpty)
{
    AccountRecord record;
    record.AccountName = u"Mail";
    record.Url = "example.com";
    record.Slots[kPasswordSlot].Value = "pw";
    record.Slots[kUserNameSlot].Value = "me";
    record.Slots[kAccountIdSlot].Value = "id";
    record.Comment = u"line 1\r\nline 2";

    struct Row
    {
        std::uint32_t slotCount;
        std::u16string password, userName, accountId;
    };
    for (const Row& row : {Row{0, u"", u"", u""}, Row{1, u"pw", u"", u""}, Row{2, u"pw", u"me", u""},
                           Row{3, u"pw", u"me", u"id"}, Row{4, u"pw", u"me", u"id"}}) {
        record.SlotCount = row.slotCount;
        const FormBoxes boxes = ShownBoxes(record);
        EXPECT_EQ(boxes.password, row.password) << row.slotCount;
        EXPECT_EQ(boxes.userName, row.userName) << row.slotCount;
        EXPECT_EQ(boxes.accountId, row.accountId) << row.slotCount;
        EXPECT_EQ(boxes.account, u"Mail");
        EXPECT_EQ(boxes.url, u"example.com");
        EXPECT_EQ(boxes.comment, u"line 1\r\nline 2");
    }
}

} // namespace
} // namespace lk
