#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lk {

// What the windowed program does with its command line before any window exists.
enum class StartRequest
{
    OpenWindow, // no question for the command line: start as usual
    Answered,   // --version or --help was answered on standard output; end with status 0
};

// Answers --version and --help without a display, so that they work in a terminal,
// over ssh and in packaging checks. Every other argument is left to Qt.
[[nodiscard]] StartRequest AnswerCommandLine(const std::vector<std::string>& args, std::ostream& out);

} // namespace lk
