#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace lk {

// What a generated password is made of.
struct PasswordRecipe
{
    // The password box holds at most 62 characters (its slot's capacity), and
    // four is the least that still leaves room for one character of each class.
    static constexpr std::size_t kMinLength = 4;
    static constexpr std::size_t kMaxLength = 62;
    static constexpr std::size_t kDefaultLength = 20;

    std::size_t length = kDefaultLength;
    bool upperCase = true;
    bool lowerCase = true;
    bool digits = true;
    bool symbols = true;
    // Leaves out the characters that read alike in many fonts: 0 O o 1 l I |.
    bool noLookAlikes = false;

    // A recipe can be drawn from: a length in range, and at least one class
    // chosen, with no more classes than characters.
    bool IsValid() const;
};

// The characters of one class as the recipe allows them (printable ASCII only,
// so that the password survives every code page and every keyboard).
std::string UpperCaseCharacters(bool noLookAlikes);
std::string LowerCaseCharacters(bool noLookAlikes);
std::string DigitCharacters(bool noLookAlikes);
std::string SymbolCharacters(bool noLookAlikes);

// A password drawn from the operating system's random source without modulo
// bias: every chosen class appears at least once, and every password that
// satisfies the recipe is possible. Nothing when the recipe is not valid or the
// random source can't be had.
std::optional<std::string> GeneratePassword(const PasswordRecipe& recipe);

} // namespace lk
