#pragma once

#include "cli/Command.h"

#include <memory>

namespace lk::cli {

// One factory per command; AllCommands lists them in the usage text's order.
std::unique_ptr<Command> MakeListCommand();
std::unique_ptr<Command> MakeShowCommand();
std::unique_ptr<Command> MakeSearchCommand();
std::unique_ptr<Command> MakeAddCommand();
std::unique_ptr<Command> MakeEditCommand();
std::unique_ptr<Command> MakeLoginCommand();
std::unique_ptr<Command> MakeDeleteCommand();
std::unique_ptr<Command> MakeExportCommand();
std::unique_ptr<Command> MakeImportCommand();
std::unique_ptr<Command> MakePrintCommand();
std::unique_ptr<Command> MakeGenerateCommand();
std::unique_ptr<Command> MakeProtectCommand();
std::unique_ptr<Command> MakeChangeMasterCommand();
std::unique_ptr<Command> MakeUnprotectCommand();

// Whether the command works on the accounts, so that a protected store must be
// unlocked first; the protection commands ask for their passwords themselves.
bool NeedsUnlockedStore(std::string_view command);

} // namespace lk::cli
