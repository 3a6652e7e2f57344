#include "core/platform/UserName.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

TEST(UsableUserName, NamesOfUpToFifteenUnitsAreKept)
{
    EXPECT_EQ(UsableUserName(u""), u"");
    EXPECT_EQ(UsableUserName(u"alice"), u"alice");
    EXPECT_EQ(UsableUserName(u"abcdefghijklmno"), u"abcdefghijklmno");
}

TEST(UsableUserName, LongerNamesCannotBeHad)
{
    EXPECT_EQ(UsableUserName(u"abcdefghijklmnop"), u"");
    // Counted in UTF-16 units, not characters: eight emoji are sixteen units.
    EXPECT_EQ(UsableUserName(u"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600"), u"");
}

TEST(CurrentUserName, IsUsable)
{
    const std::u16string name = CurrentUserName();
    EXPECT_EQ(UsableUserName(name), name);
}

} // namespace
} // namespace lk
