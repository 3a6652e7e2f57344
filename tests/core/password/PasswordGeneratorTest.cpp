#include "core/password/PasswordGenerator.h"

#include <gtest/gtest.h>
#include <set>

namespace lk {
namespace {

struct RecipeCase
{
    const char* what;
    PasswordRecipe recipe;
};

PasswordRecipe Recipe(std::size_t length, bool upper, bool lower, bool digits, bool symbols, bool noLookAlikes)
{
    PasswordRecipe recipe;
    recipe.length = length;
    recipe.upperCase = upper;
    recipe.lowerCase = lower;
    recipe.digits = digits;
    recipe.symbols = symbols;
    recipe.noLookAlikes = noLookAlikes;
    return recipe;
}

class PasswordGeneratorTest : public ::testing::TestWithParam<RecipeCase>
{};

// Many draws of each recipe: every password has the length, only the chosen
// classes' characters, at least one of each chosen class, and no look-alike
// when they are left out.
TEST_P(PasswordGeneratorTest, DrawsFollowTheRecipe)
{
    const PasswordRecipe& recipe = GetParam().recipe;
    const std::string upper = UpperCaseCharacters(recipe.noLookAlikes);
    const std::string lower = LowerCaseCharacters(recipe.noLookAlikes);
    const std::string digits = DigitCharacters(recipe.noLookAlikes);
    const std::string symbols = SymbolCharacters(recipe.noLookAlikes);
    std::string allowed;
    allowed += recipe.upperCase ? upper : "";
    allowed += recipe.lowerCase ? lower : "";
    allowed += recipe.digits ? digits : "";
    allowed += recipe.symbols ? symbols : "";
    std::set<std::string> seen;
    for (int draw = 0; draw < 500; ++draw) {
        const auto password = GeneratePassword(recipe);
        ASSERT_TRUE(password.has_value()) << GetParam().what;
        ASSERT_EQ(password->size(), recipe.length) << GetParam().what;
        EXPECT_EQ(password->find_first_not_of(allowed), std::string::npos) << *password;
        EXPECT_EQ(recipe.upperCase, password->find_first_of(upper) != std::string::npos) << *password;
        EXPECT_EQ(recipe.lowerCase, password->find_first_of(lower) != std::string::npos) << *password;
        EXPECT_EQ(recipe.digits, password->find_first_of(digits) != std::string::npos) << *password;
        EXPECT_EQ(recipe.symbols, password->find_first_of(symbols) != std::string::npos) << *password;
        if (recipe.noLookAlikes) {
            EXPECT_EQ(password->find_first_of("0Oo1lI|"), std::string::npos) << *password;
        }
        seen.insert(*password);
    }
    // Even the smallest recipe here has far more than 500 passwords.
    EXPECT_GT(seen.size(), 400u) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Recipes, PasswordGeneratorTest,
    ::testing::Values(RecipeCase{"default", PasswordRecipe{}},
                      RecipeCase{"shortest with every class", Recipe(4, true, true, true, true, false)},
                      RecipeCase{"longest", Recipe(62, true, true, true, true, false)},
                      RecipeCase{"no look-alikes", Recipe(30, true, true, true, true, true)},
                      RecipeCase{"no symbols", Recipe(20, true, true, true, false, false)},
                      RecipeCase{"digits only", Recipe(8, false, false, true, false, false)},
                      RecipeCase{"digits only, no look-alikes", Recipe(8, false, false, true, false, true)},
                      RecipeCase{"lower case and symbols", Recipe(5, false, true, false, true, true)}),
    [](const ::testing::TestParamInfo<RecipeCase>& info) { return "Recipe" + std::to_string(info.index); });

TEST(PasswordRecipeTest, RefusesWhatCantBeDrawn)
{
    EXPECT_FALSE(GeneratePassword(Recipe(3, true, true, false, false, false)));
    EXPECT_FALSE(GeneratePassword(Recipe(63, true, true, false, false, false)));
    EXPECT_FALSE(GeneratePassword(Recipe(20, false, false, false, false, false)));
    EXPECT_TRUE(GeneratePassword(Recipe(4, false, false, false, true, false)));
}

TEST(PasswordRecipeTest, ClassesHoldPrintableAsciiOnly)
{
    const std::string all =
        UpperCaseCharacters(false) + LowerCaseCharacters(false) + DigitCharacters(false) + SymbolCharacters(false);
    EXPECT_EQ(all.size(), 94u) << "every printable ASCII character but the space";
    EXPECT_EQ(std::set<char>(all.begin(), all.end()).size(), 94u);
    const std::string kept =
        UpperCaseCharacters(true) + LowerCaseCharacters(true) + DigitCharacters(true) + SymbolCharacters(true);
    EXPECT_EQ(kept.size(), 94u - 7u);
}

} // namespace
} // namespace lk
