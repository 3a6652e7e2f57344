#include "core/password/PasswordStrength.h"

#include <cmath>
#include <zxcvbn.h>

namespace lk {

int PasswordStrength::GuessesExponent() const
{
    return static_cast<int>(std::floor(bits * std::log10(2.0)));
}

std::string_view RatingWord(PasswordStrength::Rating rating)
{
    switch (rating) {
    case PasswordStrength::Rating::Weak:
        return "weak";
    case PasswordStrength::Rating::Fair:
        return "fair";
    case PasswordStrength::Rating::Good:
        return "good";
    case PasswordStrength::Rating::Strong:
        return "strong";
    }
    return "weak";
}

PasswordStrength::Rating RatingForBits(double bits)
{
    if (bits < 40.0) {
        return PasswordStrength::Rating::Weak;
    }
    if (bits < 65.0) {
        return PasswordStrength::Rating::Fair;
    }
    if (bits < 100.0) {
        return PasswordStrength::Rating::Good;
    }
    return PasswordStrength::Rating::Strong;
}

PasswordStrength EstimateStrength(std::string_view password)
{
    PasswordStrength strength;
    if (password.empty()) {
        return strength;
    }
    // zxcvbn reads a zero-terminated text; a zero inside the password would end
    // it early, and the slot's text never holds one.
    const std::string text(password);
    strength.bits = ZxcvbnMatch(text.c_str(), nullptr, nullptr);
    if (!std::isfinite(strength.bits) || strength.bits < 0.0) {
        strength.bits = 0.0;
    }
    strength.rating = RatingForBits(strength.bits);
    return strength;
}

std::string StrengthLine(const PasswordStrength& strength)
{
    return "Strength: " + std::string(RatingWord(strength.rating)) + " (about 10^" +
           std::to_string(strength.GuessesExponent()) + " guesses)";
}

} // namespace lk
