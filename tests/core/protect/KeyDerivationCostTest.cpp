#include "core/protect/KeyDerivationCost.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

TEST(KeyDerivationCost, AKeyFileForUseTakes256MiB)
{
    EXPECT_EQ(KeyDerivationCost{}.memory, 256u << 20);
    EXPECT_TRUE(KeyDerivationCost{}.Acceptable());
}

struct TuningCase
{
    const char* name;
    nanoseconds onePass;
    milliseconds target;
    std::uint64_t passes;
};

class TuningTable : public ::testing::TestWithParam<TuningCase>
{};

TEST_P(TuningTable, TakesAsManyPassesAsFitTheTarget)
{
    const TuningCase& c = GetParam();
    const KeyDerivationCost cost = KeyDerivationCost::TunedWith([&] { return c.onePass; }, c.target);
    EXPECT_EQ(cost.passes, c.passes);
    EXPECT_EQ(cost.memory, KeyDerivationCost::kMemory);
    EXPECT_TRUE(cost.Acceptable());
}

INSTANTIATE_TEST_SUITE_P(
    KeyDerivationCost, TuningTable,
    ::testing::Values(TuningCase{"tenthOfASecond", milliseconds(100), milliseconds(1000), 10},
                      TuningCase{"roundsDown", milliseconds(300), milliseconds(1000), 3},
                      TuningCase{"slowMachineKeepsTheLeast", milliseconds(600), milliseconds(1000), 2},
                      TuningCase{"slowerThanTheTarget", milliseconds(5000), milliseconds(1000), 2},
                      TuningCase{"fastMachineStopsAtTheMost", nanoseconds(1), milliseconds(1000), 64},
                      TuningCase{"noTimeAtAll", nanoseconds(0), milliseconds(1000), 64},
                      TuningCase{"shorterTarget", milliseconds(100), milliseconds(500), 5}),
    [](const auto& info) { return std::string(info.param.name); });

struct BoundsCase
{
    const char* name;
    KeyDerivationCost cost;
    bool acceptable;
};

class BoundsTable : public ::testing::TestWithParam<BoundsCase>
{};

TEST_P(BoundsTable, KeepsStoredCostsInBounds)
{
    EXPECT_EQ(GetParam().cost.Acceptable(), GetParam().acceptable);
}

INSTANTIATE_TEST_SUITE_P(KeyDerivationCost, BoundsTable,
                         ::testing::Values(BoundsCase{"least", KeyDerivationCost::Least(), true},
                                           BoundsCase{"mostOfBoth", {64, 1ULL << 30}, true},
                                           BoundsCase{"noPasses", {0, 256ULL << 20}, false},
                                           BoundsCase{"tooManyPasses", {65, 256ULL << 20}, false},
                                           BoundsCase{"tooLittleMemory", {2, (8ULL << 10) - 1}, false},
                                           BoundsCase{"tooMuchMemory", {2, (1ULL << 30) + 1}, false},
                                           BoundsCase{"absurd", {~0ULL, ~0ULL}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

SecretBuffer Password(std::string_view text)
{
    auto buffer = SecretBuffer::CopyOf(text);
    return buffer ? std::move(*buffer) : SecretBuffer();
}

std::array<std::uint8_t, kSaltSize> Salt(std::uint8_t fill)
{
    std::array<std::uint8_t, kSaltSize> salt{};
    salt.fill(fill);
    return salt;
}

TEST(DeriveWrappingKey, TheSameInputsGiveTheSameKeyAndAnyChangeAnother)
{
    const KeyDerivationCost cost = KeyDerivationCost::Least();
    const auto key = DeriveWrappingKey(Password("master"), Salt(1), cost);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->size(), kDerivedKeySize);

    const auto again = DeriveWrappingKey(Password("master"), Salt(1), cost);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(SameSecret(*key, *again));

    const auto otherSalt = DeriveWrappingKey(Password("master"), Salt(2), cost);
    const auto otherPassword = DeriveWrappingKey(Password("Master"), Salt(1), cost);
    const auto otherPasses = DeriveWrappingKey(Password("master"), Salt(1), KeyDerivationCost{2, cost.memory});
    const auto otherMemory = DeriveWrappingKey(Password("master"), Salt(1), KeyDerivationCost{1, 2 * cost.memory});
    for (const auto* other : {&otherSalt, &otherPassword, &otherPasses, &otherMemory}) {
        ASSERT_TRUE(other->has_value());
        EXPECT_FALSE(SameSecret(*key, **other));
    }
}

TEST(DeriveWrappingKey, AnEmptyPasswordStillGivesAKey)
{
    const auto key = DeriveWrappingKey(SecretBuffer(), Salt(0), KeyDerivationCost::Least());
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->size(), kDerivedKeySize);
}

TEST(DeriveWrappingKey, RefusesACostOutOfBounds)
{
    EXPECT_FALSE(DeriveWrappingKey(Password("master"), Salt(0), KeyDerivationCost{0, 8192}).has_value());
    EXPECT_FALSE(DeriveWrappingKey(Password("master"), Salt(0), KeyDerivationCost{1, 1ULL << 40}).has_value());
}

} // namespace
} // namespace lk
