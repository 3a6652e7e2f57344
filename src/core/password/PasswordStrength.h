#pragma once

#include <string>
#include <string_view>

namespace lk {

// How hard a password is to guess, as zxcvbn estimates it from the patterns it
// knows (dictionary words, keyboard walks, dates, repeats, sequences).
struct PasswordStrength
{
    enum class Rating
    {
        Weak,
        Fair,
        Good,
        Strong,
    };

    // log2 of the estimated number of guesses.
    double bits = 0.0;
    Rating rating = Rating::Weak;

    // The estimated guesses as a power of ten, rounded down: 10^guessesExponent.
    int GuessesExponent() const;
};

// The rating's word: "weak", "fair", "good" or "strong".
std::string_view RatingWord(PasswordStrength::Rating rating);

// The thresholds, in bits of estimated guesses, are those users of other
// password keepers know: below 40 weak, below 65 fair, below 100 good, else strong.
PasswordStrength::Rating RatingForBits(double bits);

// The strength of `password` (8-bit text as the password box holds it).
PasswordStrength EstimateStrength(std::string_view password);

// The line shown under a password: "Strength: good (about 10^21 guesses)".
std::string StrengthLine(const PasswordStrength& strength);

} // namespace lk
