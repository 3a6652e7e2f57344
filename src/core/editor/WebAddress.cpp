#include "core/editor/WebAddress.h"

#include "core/platform/TextConversion.h"

namespace lk {
namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSchemeCharacter(char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

// A port after a host name ("example.com:8080/x", "localhost:80"): digits up to
// the end of the authority.
bool IsPortAfter(std::string_view rest)
{
    std::size_t digits = 0;
    while (digits < rest.size() && IsAsciiDigit(rest[digits])) {
        ++digits;
    }
    return digits > 0 && (digits == rest.size() || rest[digits] == '/' || rest[digits] == '?' || rest[digits] == '#');
}

// The scheme of `address` when it has one. "example.com:8080" and
// "localhost:8080" are host names with a port, not schemes.
std::optional<std::string_view> SchemeOf(std::string_view address)
{
    if (address.empty() || !IsAsciiLetter(address.front())) {
        return std::nullopt;
    }
    std::size_t end = 1;
    while (end < address.size() && IsSchemeCharacter(address[end])) {
        ++end;
    }
    if (end >= address.size() || address[end] != ':') {
        return std::nullopt;
    }
    const std::string_view scheme = address.substr(0, end);
    if (scheme.find('.') != std::string_view::npos || IsPortAfter(address.substr(end + 1))) {
        return std::nullopt;
    }
    return scheme;
}

// The host part after "scheme://": up to the first "/", "?" or "#".
bool HasHost(std::string_view address, std::size_t schemeLength)
{
    const std::string_view afterScheme = address.substr(schemeLength + 1);
    if (afterScheme.substr(0, 2) != "//") {
        return false;
    }
    const std::string_view authority = afterScheme.substr(2, afterScheme.find_first_of("/?#", 2) - 2);
    const std::string_view host = authority.substr(authority.rfind('@') + 1);
    return !host.empty() && host.front() != ':';
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

} // namespace

std::u16string_view WithoutSurroundingBlanks(std::u16string_view url)
{
    while (!url.empty() && IsBlank(url.front())) {
        url.remove_prefix(1);
    }
    while (!url.empty() && IsBlank(url.back())) {
        url.remove_suffix(1);
    }
    return url;
}

std::optional<std::string> WebAddressToOpen(std::u16string_view address)
{
    std::string text = ToEightBit(address);
    const std::optional<std::string_view> scheme = SchemeOf(text);
    if (!scheme) {
        text.insert(0, "http://");
        return HasHost(text, 4) ? std::optional<std::string>(std::move(text)) : std::nullopt;
    }
    const bool web = EqualsIgnoringAsciiCase(*scheme, "http") || EqualsIgnoringAsciiCase(*scheme, "https");
    if (!web || !HasHost(text, scheme->size())) {
        return std::nullopt;
    }
    return text;
}

} // namespace lk
