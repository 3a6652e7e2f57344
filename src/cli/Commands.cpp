#include "cli/Commands.h"

namespace lk::cli {

std::vector<std::unique_ptr<Command>> AllCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(MakeListCommand());
    return commands;
}

} // namespace lk::cli
