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

} // namespace lk::cli
