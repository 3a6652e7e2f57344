#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lk::cli {

class Store;

// Exit statuses of the tool, as its usage text documents them.
enum ExitStatus : int
{
    kDone = 0,
    kRefused = 1, // refused, declined or not found
    kUsage = 2,   // the command line is wrong
};

// One command of the tool: its name, a line for the usage text, and what it does.
class Command
{
public:
    virtual ~Command() = default;
    virtual std::string_view Name() const = 0;
    // The command's arguments and a short description, for the usage text.
    virtual std::string_view Synopsis() const = 0;
    // Runs with the arguments after the command's name, on an opened store.
    // Messages go to `err`, data to `out`. Throws UsageError for wrong arguments.
    virtual int Execute(Store& store, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) = 0;
};

// Thrown by a command whose arguments are wrong; the tool then prints the usage text.
struct UsageError
{
    std::string message;
};

// Every command the tool has, in the order of the usage text.
std::vector<std::unique_ptr<Command>> AllCommands();

} // namespace lk::cli
