#include "core/update/UpdateDescription.h"

#include <climits>
#include <optional>

namespace lk {

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Hands out the white-space separated words of the text, one at a time.
class WordReader
{
public:
    explicit WordReader(std::string_view text) : text_(text) {}

    std::optional<std::string_view> Next()
    {
        while (pos_ < text_.size() && IsWhiteSpace(text_[pos_])) {
            ++pos_;
        }
        if (pos_ == text_.size()) {
            return std::nullopt;
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsWhiteSpace(text_[pos_])) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Takes off a leading sign; true when it was a minus.
bool TakeSign(std::string_view& word)
{
    if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
        const bool negative = word.front() == '-';
        word.remove_prefix(1);
        return negative;
    }
    return false;
}

int DigitValue(char c, unsigned base)
{
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

// The digits of a whole word in the base, counted modulo 2^64 so that any length
// of digits gives a defined value; nothing when the word is not all digits.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, unsigned base)
{
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + static_cast<std::uint64_t>(digit);
    }
    return value;
}

// A decimal word as a signed number, held at the ends of the int range so that
// a kind that doesn't fit never turns into 0.
std::optional<int> ParseKind(std::string_view word)
{
    const bool negative = TakeSign(word);
    const auto magnitude = ParseDigits(word, 10);
    if (!magnitude) {
        return std::nullopt;
    }
    if (*magnitude > static_cast<std::uint64_t>(INT_MAX)) {
        return negative ? INT_MIN : INT_MAX;
    }
    const int value = static_cast<int>(*magnitude);
    return negative ? -value : value;
}

// A number word taken as unsigned 32 bits, a negative number as its two's
// complement, the way the size and the time halves have always been read.
std::optional<std::uint32_t> ParseUnsigned(std::string_view word, unsigned base)
{
    const bool negative = TakeSign(word);
    if (base == 16 && word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.remove_prefix(2);
    }
    const auto magnitude = ParseDigits(word, base);
    if (!magnitude) {
        return std::nullopt;
    }
    const std::uint64_t value = negative ? (~*magnitude + 1) : *magnitude;
    return static_cast<std::uint32_t>(value & 0xFFFFFFFFu);
}

enum class FieldResult
{
    Read,
    TextEnded,
    Mismatch,
};

// What the reading of one record came to. `nameUnusable` tells that the name
// word was too long to hold or held a zero byte, either of which would make it
// name another file.
struct RecordRead
{
    FieldResult result = FieldResult::Read;
    UpdateRecord record;
    int fields = 0; // the words taken
    bool nameUnusable = false;
};

RecordRead ReadRecord(WordReader& words)
{
    RecordRead read;
    auto word = words.Next();
    if (!word) {
        read.result = FieldResult::TextEnded;
        return read;
    }
    const auto kind = ParseKind(*word);
    if (!kind) {
        read.result = FieldResult::Mismatch;
        return read;
    }
    read.record.kind = *kind;
    ++read.fields;

    if (!(word = words.Next())) {
        read.result = FieldResult::TextEnded;
        return read;
    }
    read.nameUnusable = !FixedText<64>::Fits(*word) || word->find('\0') != std::string_view::npos;
    if (!read.nameUnusable) {
        read.record.name = *word;
    }
    ++read.fields;

    std::uint32_t* const numbers[] = {&read.record.size, &read.record.timeLow, &read.record.timeHigh};
    const unsigned bases[] = {10, 16, 16};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!(word = words.Next())) {
            read.result = FieldResult::TextEnded;
            return read;
        }
        const auto value = ParseUnsigned(*word, bases[i]);
        if (!value) {
            read.result = FieldResult::Mismatch;
            return read;
        }
        *numbers[i] = *value;
        ++read.fields;
    }
    return read;
}

} // namespace

UpdateDescription ReadUpdateDescription(std::string_view text)
{
    UpdateDescription description;
    WordReader words(text);
    for (;;) {
        const RecordRead read = ReadRecord(words);
        if (read.result == FieldResult::Mismatch) {
            description.endedEarly = true;
            break;
        }
        // A record cut short by the end of the text keeps 0 in the fields it lacks.
        if (read.fields > 0 && !read.nameUnusable) {
            description.records.push_back(read.record);
        }
        if (read.result == FieldResult::TextEnded) {
            break;
        }
    }
    return description;
}

bool IsSafeUpdateName(std::string_view name)
{
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos) {
        return false;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

bool IsRecordToCompare(const UpdateRecord& record)
{
    return IsSafeUpdateName(record.name.view()) && record.size >= 10;
}

} // namespace lk
