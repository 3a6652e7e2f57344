#pragma once

#include "cli/Command.h"

#include <memory>

namespace lk::cli {

// One factory per command; AllCommands lists them in the usage text's order.
std::unique_ptr<Command> MakeListCommand();

} // namespace lk::cli
