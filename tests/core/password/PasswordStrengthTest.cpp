#include "core/password/PasswordStrength.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

struct StrengthCase
{
    std::string password;
    PasswordStrength::Rating rating;
};

class PasswordStrengthTest : public ::testing::TestWithParam<StrengthCase>
{};

TEST_P(PasswordStrengthTest, RatesKnownPasswords)
{
    const PasswordStrength strength = EstimateStrength(GetParam().password);
    EXPECT_EQ(RatingWord(strength.rating), RatingWord(GetParam().rating))
        << GetParam().password << ": " << strength.bits << " bits";
}

INSTANTIATE_TEST_SUITE_P(Known, PasswordStrengthTest,
                         ::testing::Values(StrengthCase{"", PasswordStrength::Rating::Weak},
                                           StrengthCase{"password", PasswordStrength::Rating::Weak},
                                           StrengthCase{"123456", PasswordStrength::Rating::Weak},
                                           StrengthCase{"qwertyuiop", PasswordStrength::Rating::Weak},
                                           StrengthCase{"Tr0ub4dor&3", PasswordStrength::Rating::Fair},
                                           StrengthCase{"kX9#mQ2$vL7pZ4", PasswordStrength::Rating::Good},
                                           StrengthCase{"q7$Kp2!vZ9#mLx4&Rb8@Wn3^", PasswordStrength::Rating::Strong}));

struct ThresholdCase
{
    double bits;
    PasswordStrength::Rating rating;
};

class RatingThresholdTest : public ::testing::TestWithParam<ThresholdCase>
{};

TEST_P(RatingThresholdTest, Words)
{
    EXPECT_EQ(RatingForBits(GetParam().bits), GetParam().rating) << GetParam().bits;
}

INSTANTIATE_TEST_SUITE_P(Bits, RatingThresholdTest,
                         ::testing::Values(ThresholdCase{0.0, PasswordStrength::Rating::Weak},
                                           ThresholdCase{39.9, PasswordStrength::Rating::Weak},
                                           ThresholdCase{40.0, PasswordStrength::Rating::Fair},
                                           ThresholdCase{64.9, PasswordStrength::Rating::Fair},
                                           ThresholdCase{65.0, PasswordStrength::Rating::Good},
                                           ThresholdCase{99.9, PasswordStrength::Rating::Good},
                                           ThresholdCase{100.0, PasswordStrength::Rating::Strong}));

TEST(StrengthLineTest, GuessesAsAPowerOfTen)
{
    PasswordStrength strength;
    strength.bits = 70.0; // 2^70 is about 1.18 * 10^21
    strength.rating = RatingForBits(strength.bits);
    EXPECT_EQ(strength.GuessesExponent(), 21);
    EXPECT_EQ(StrengthLine(strength), "Strength: good (about 10^21 guesses)");
    EXPECT_EQ(StrengthLine(PasswordStrength{}), "Strength: weak (about 10^0 guesses)");
}

} // namespace
} // namespace lk
