#include "core/editor/AccountEdit.h"

#include "core/store/AccountRecord.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

struct EditCase
{
    const char* what;
    std::uint32_t slotCount;
    AccountEdit edit;
    FormBoxes expected;
};

AccountRecord Stored(std::uint32_t slotCount)
{
    AccountRecord record;
    record.AccountName = u"Mail";
    record.Url = "https://mail.example";
    record.Slots[kUserNameSlot].Value = "anna";
    record.Slots[kAccountIdSlot].Value = "42";
    record.Slots[kPasswordSlot].Value = "secret";
    record.Comment = u"note";
    record.SlotCount = slotCount;
    record.Kind = kKindSaved;
    return record;
}

AccountEdit Edit(std::optional<std::u16string> account, std::optional<std::u16string> url,
                 std::optional<std::u16string> user, std::optional<std::u16string> id,
                 std::optional<std::u16string> password, std::optional<std::u16string> comment)
{
    return AccountEdit{std::move(account), std::move(url),      std::move(user),
                       std::move(id),      std::move(password), std::move(comment)};
}

class AccountEditTest : public ::testing::TestWithParam<EditCase>
{};

TEST_P(AccountEditTest, BoxesAfterTheEdit)
{
    EXPECT_EQ(EditedBoxes(Stored(GetParam().slotCount), GetParam().edit), GetParam().expected) << GetParam().what;
}

const std::nullopt_t kKept = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Cases, AccountEditTest,
    ::testing::Values(EditCase{"nothing given: the boxes as shown", 3, AccountEdit{},
                               FormBoxes{u"Mail", u"https://mail.example", u"anna", u"42", u"secret", u"note"}},
                      EditCase{"a new password only", 3, Edit(kKept, kKept, kKept, kKept, u"n3w", kKept),
                               FormBoxes{u"Mail", u"https://mail.example", u"anna", u"42", u"n3w", u"note"}},
                      EditCase{"an empty value empties its box", 3, Edit(kKept, kKept, kKept, u"", kKept, u""),
                               FormBoxes{u"Mail", u"https://mail.example", u"anna", u"", u"secret", u""}},
                      EditCase{"every box given", 3, Edit(u"Post", u"p.example", u"bob", u"7", u"pw", u"c"),
                               FormBoxes{u"Post", u"p.example", u"bob", u"7", u"pw", u"c"}},
                      EditCase{"slots beyond the count stay empty unless given", 2,
                               Edit(kKept, kKept, kKept, kKept, kKept, kKept),
                               FormBoxes{u"Mail", u"https://mail.example", u"anna", u"", u"secret", u"note"}},
                      EditCase{"a slot beyond the count can be typed into", 1,
                               Edit(kKept, kKept, u"carl", kKept, kKept, kKept),
                               FormBoxes{u"Mail", u"https://mail.example", u"carl", u"", u"secret", u"note"}}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return "Case" + std::to_string(info.index); });

} // namespace
} // namespace lk
