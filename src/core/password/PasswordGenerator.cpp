#include "core/password/PasswordGenerator.h"

#include <sodium.h>
#include <string_view>
#include <utility>
#include <vector>

namespace lk {
namespace {

constexpr std::string_view kLookAlikes = "0Oo1lI|";

std::string Without(std::string_view characters, bool noLookAlikes)
{
    std::string allowed;
    for (const char c : characters) {
        if (!noLookAlikes || kLookAlikes.find(c) == std::string_view::npos) {
            allowed.push_back(c);
        }
    }
    return allowed;
}

// A uniform index below `bound` (bound > 0): libsodium rejects the biased part
// of the range, so no index is likelier than another.
std::size_t RandomBelow(std::size_t bound)
{
    return randombytes_uniform(static_cast<std::uint32_t>(bound));
}

std::vector<std::string> ChosenClasses(const PasswordRecipe& recipe)
{
    std::vector<std::string> classes;
    const auto add = [&](bool chosen, std::string characters) {
        if (chosen && !characters.empty()) {
            classes.push_back(std::move(characters));
        }
    };
    add(recipe.upperCase, UpperCaseCharacters(recipe.noLookAlikes));
    add(recipe.lowerCase, LowerCaseCharacters(recipe.noLookAlikes));
    add(recipe.digits, DigitCharacters(recipe.noLookAlikes));
    add(recipe.symbols, SymbolCharacters(recipe.noLookAlikes));
    return classes;
}

} // namespace

bool PasswordRecipe::IsValid() const
{
    const std::size_t classes = (upperCase ? 1 : 0) + (lowerCase ? 1 : 0) + (digits ? 1 : 0) + (symbols ? 1 : 0);
    return length >= kMinLength && length <= kMaxLength && classes > 0 && classes <= length;
}

std::string UpperCaseCharacters(bool noLookAlikes)
{
    return Without("ABCDEFGHIJKLMNOPQRSTUVWXYZ", noLookAlikes);
}

std::string LowerCaseCharacters(bool noLookAlikes)
{
    return Without("abcdefghijklmnopqrstuvwxyz", noLookAlikes);
}

std::string DigitCharacters(bool noLookAlikes)
{
    return Without("0123456789", noLookAlikes);
}

std::string SymbolCharacters(bool noLookAlikes)
{
    // Every printable ASCII character that is neither a letter, a digit nor a space.
    return Without("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", noLookAlikes);
}

std::optional<std::string> GeneratePassword(const PasswordRecipe& recipe)
{
    if (!recipe.IsValid() || sodium_init() < 0) {
        return std::nullopt;
    }
    const std::vector<std::string> classes = ChosenClasses(recipe);
    std::string pool;
    for (const std::string& characters : classes) {
        pool += characters;
    }
    // Drawing from the whole pool and drawing again until every class is present
    // keeps the result uniform over all passwords that satisfy the recipe (one
    // forced character per class would make some passwords likelier). With at
    // most four classes the expected number of draws stays small even at the
    // shortest length.
    std::string password(recipe.length, '\0');
    for (;;) {
        for (char& c : password) {
            c = pool[RandomBelow(pool.size())];
        }
        bool everyClass = true;
        for (const std::string& characters : classes) {
            everyClass = everyClass && password.find_first_of(characters) != std::string::npos;
        }
        if (everyClass) {
            return password;
        }
    }
}

} // namespace lk
