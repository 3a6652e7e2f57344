#include "core/protect/SecretBuffer.h"

#include <gtest/gtest.h>
#include <string_view>
#include <utility>

namespace lk {
namespace {

SecretBuffer Secret(std::string_view text)
{
    auto buffer = SecretBuffer::CopyOf(text);
    EXPECT_TRUE(buffer.has_value());
    return buffer ? std::move(*buffer) : SecretBuffer();
}

std::string_view Text(const SecretBuffer& buffer)
{
    return {reinterpret_cast<const char*>(buffer.bytes().data()), buffer.size()};
}

TEST(SecretBuffer, ANewBufferHoldsZeroesOfItsSize)
{
    const auto buffer = SecretBuffer::Allocate(32);
    ASSERT_TRUE(buffer.has_value());
    ASSERT_EQ(buffer->size(), 32u);
    for (const std::uint8_t b : buffer->bytes()) {
        EXPECT_EQ(b, 0);
    }
}

TEST(SecretBuffer, ABufferOfNoBytesIsEmpty)
{
    const auto buffer = SecretBuffer::Allocate(0);
    ASSERT_TRUE(buffer.has_value());
    EXPECT_TRUE(buffer->empty());
    EXPECT_TRUE(SecretBuffer().empty());
}

TEST(SecretBuffer, ACopyHoldsTheBytesGiven)
{
    EXPECT_EQ(Text(Secret("master password")), "master password");
    const std::uint8_t bytes[] = {0, 1, 255};
    const auto copy = SecretBuffer::CopyOf(std::span<const std::uint8_t>(bytes));
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->size(), 3u);
    EXPECT_EQ(copy->bytes()[2], 255);
}

TEST(SecretBuffer, MovingLeavesTheSourceEmpty)
{
    SecretBuffer from = Secret("secret");
    SecretBuffer to = std::move(from);
    EXPECT_TRUE(from.empty()); // NOLINT(bugprone-use-after-move): emptiness is the promise
    EXPECT_EQ(Text(to), "secret");

    SecretBuffer other = Secret("other");
    other = std::move(to);
    EXPECT_TRUE(to.empty()); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(Text(other), "secret");
}

TEST(SecretBuffer, WipingEmptiesTheBuffer)
{
    SecretBuffer buffer = Secret("secret");
    buffer.Wipe();
    EXPECT_TRUE(buffer.empty());
    EXPECT_EQ(buffer.bytes().data(), nullptr);
    buffer.Wipe(); // twice is harmless
    EXPECT_TRUE(buffer.empty());
}

struct SameSecretCase
{
    const char* name;
    std::string_view a;
    std::string_view b;
    bool same;
};

class SameSecretTable : public ::testing::TestWithParam<SameSecretCase>
{};

TEST_P(SameSecretTable, ComparesBytesAndLength)
{
    EXPECT_EQ(SameSecret(Secret(GetParam().a), Secret(GetParam().b)), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(SecretBuffer, SameSecretTable,
                         ::testing::Values(SameSecretCase{"equal", "abc", "abc", true},
                                           SameSecretCase{"bothEmpty", "", "", true},
                                           SameSecretCase{"oneByteDiffers", "abc", "abd", false},
                                           SameSecretCase{"caseDiffers", "abc", "ABC", false},
                                           SameSecretCase{"prefix", "abc", "ab", false},
                                           SameSecretCase{"emptyAndNot", "", "a", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
