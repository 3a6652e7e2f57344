#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace lk::cli {

class Arguments;

// The first line of `in` without its line end (LF or CR LF); nothing when `in`
// holds no line at all. A password read this way never appears in the
// argument list or the shell's history.
std::optional<std::string> ReadPasswordLine(std::istream& in);

// A password typed at the controlling terminal after `prompt` (written to the
// terminal), without echo; the terminal's settings are restored afterwards.
// Nothing when there is no terminal or the input ends before a line.
std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt);

// The password of --password-prompt (the terminal, no echo) or --password-stdin
// (the first line of `in`).
struct ChosenPassword
{
    bool given = false;  // one of the two options was given
    bool failed = false; // it was given, but no line could be read
    std::string password;
};

// Throws UsageError when both options are given.
ChosenPassword ReadChosenPassword(const Arguments& arguments, std::istream& in);

} // namespace lk::cli
