#include "cli/Commands.h"

namespace lk::cli {

std::vector<std::unique_ptr<Command>> AllCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(MakeListCommand());
    commands.push_back(MakeShowCommand());
    commands.push_back(MakeSearchCommand());
    commands.push_back(MakeAddCommand());
    commands.push_back(MakeEditCommand());
    commands.push_back(MakeLoginCommand());
    commands.push_back(MakeDeleteCommand());
    commands.push_back(MakeExportCommand());
    commands.push_back(MakeImportCommand());
    commands.push_back(MakePrintCommand());
    commands.push_back(MakeGenerateCommand());
    commands.push_back(MakeProtectCommand());
    commands.push_back(MakeChangeMasterCommand());
    commands.push_back(MakeUnprotectCommand());
    return commands;
}

} // namespace lk::cli
