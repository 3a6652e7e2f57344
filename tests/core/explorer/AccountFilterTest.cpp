#include "core/explorer/AccountFilter.h"

#include "core/platform/CaseFolding.h"
#include "core/store/AccountRecord.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

struct FilterCase
{
    const char* what;
    std::u16string filter;
    std::u16string name;
    std::string url;
    std::string userName;
    std::uint32_t slotCount;
    bool matches;
};

AccountRecord Account(const FilterCase& c)
{
    AccountRecord record;
    record.AccountName = c.name;
    record.Url = c.url;
    record.Slots[kUserNameSlot].Value = c.userName;
    record.Slots[kAccountIdSlot].Value = "id-secret";
    record.Slots[kPasswordSlot].Value = "pw-secret";
    record.Comment = u"comment-secret";
    record.SlotCount = c.slotCount;
    record.Kind = kKindSaved;
    return record;
}

class AccountFilterTest : public ::testing::TestWithParam<FilterCase>
{};

TEST_P(AccountFilterTest, Matches)
{
    const FilterCase& c = GetParam();
    EXPECT_EQ(AccountFilter(c.filter).Matches(Account(c)), c.matches) << c.what;
}

// The URL and the user name are 8-bit texts, UTF-8 here.
INSTANTIATE_TEST_SUITE_P(
    Cases, AccountFilterTest,
    ::testing::Values(
        FilterCase{"empty filter matches everything", u"", u"Mail", "", "", 0, true},
        FilterCase{"part of the name", u"ai", u"Mail", "x", "", 3, true},
        FilterCase{"case of ASCII ignored", u"MAIL", u"my mail", "x", "", 3, true},
        FilterCase{"diaeresis folded both ways", u"zo\u00EB", u"ZO\u00CB", "x", "", 3, true},
        FilterCase{"sharp s folds to ss", u"STRASSE", u"stra\u00DFe", "x", "", 3, true},
        FilterCase{"ss finds a capital sharp s", u"strasse", u"STRA\u1E9EE", "x", "", 3, true},
        FilterCase{"final sigma folds to sigma", u"\u039F\u03A3", u"\u03BF\u03C2", "x", "", 3, true},
        FilterCase{"Cyrillic case", u"\u041F\u0420\u0418", u"\u043F\u0440\u0438\u0432\u0435\u0442", "x", "", 3, true},
        FilterCase{"part of the URL", u"EXAMPLE.org", u"Mail", "https://www.example.org/", "", 3, true},
        FilterCase{"non-ASCII URL", u"M\u00DCNCHEN", u"Mail",
                   "https://m\xC3\xBC"
                   "nchen.example",
                   "", 3, true},
        FilterCase{"user name in use", u"Ann", u"Mail", "x", "anna@example", 2, true},
        FilterCase{"user name beyond the slots in use", u"ann", u"Mail", "x", "anna@example", 1, false},
        FilterCase{"password never searched", u"pw-secret", u"Mail", "x", "anna", 3, false},
        FilterCase{"account ID never searched", u"id-secret", u"Mail", "x", "anna", 3, false},
        FilterCase{"comment never searched", u"comment", u"Mail", "x", "anna", 3, false},
        FilterCase{"no match", u"bank", u"Mail", "https://mail.example", "anna", 3, false},
        FilterCase{"longer than every field", u"a much longer filter than any field", u"a", "b", "c", 3, false},
        FilterCase{"spaces are part of the text", u"my mail", u"mymail", "x", "", 3, false}),
    [](const ::testing::TestParamInfo<FilterCase>& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name;
    });

struct FoldingCase
{
    std::u16string text;
    std::u16string folded;
};

class CaseFoldingTest : public ::testing::TestWithParam<FoldingCase>
{};

TEST_P(CaseFoldingTest, FoldsFully)
{
    EXPECT_EQ(FoldCase(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseFoldingTest,
                         ::testing::Values(FoldingCase{u"", u""}, FoldingCase{u"ABC xyz", u"abc xyz"},
                                           FoldingCase{u"Stra\u00DFe", u"strasse"}, FoldingCase{u"\u0130", u"i\u0307"},
                                           FoldingCase{u"\uFB03", u"ffi"}, FoldingCase{u"\U00010400", u"\U00010428"},
                                           FoldingCase{std::u16string(1, u'\xD800'), std::u16string(1, u'\xD800')}));

TEST(AccountFilterApply, KeepsOrderAndDropsTheRest)
{
    AccountRecord a;
    a.AccountName = u"Bank";
    AccountRecord b;
    b.AccountName = u"Mail";
    AccountRecord c;
    c.AccountName = u"Mailbox";
    const std::vector<AccountRecord*> all = {&c, &a, &b};
    EXPECT_EQ(AccountFilter(u"MAIL").Apply(all), (std::vector<AccountRecord*>{&c, &b}));
    EXPECT_EQ(AccountFilter().Apply(all), all);
    EXPECT_TRUE(AccountFilter(u"zzz").Apply(all).empty());
}

} // namespace
} // namespace lk
