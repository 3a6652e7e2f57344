#pragma once

// Runs commands of ledgerkeeper-cli in the test's own process, as the tool's
// main runs them, and keeps what they wrote.
#include "cli/Command.h"
#include "cli/Store.h"

#include <sstream>
#include <string>
#include <vector>

namespace lk::test {

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// Executes `command` with the words after its name as arguments; wrong usage
// gives the status the tool exits with.
inline int ExecuteCommand(cli::Command& command, cli::Store& store, const std::vector<std::string>& words,
                          std::ostream& out, std::ostream& err)
{
    try {
        return command.Execute(store, {words.begin() + 1, words.end()}, out, err);
    } catch (const cli::UsageError&) {
        return cli::kUsage;
    }
}

// Runs the command named by the first word on the store of `folders`; `input`
// is its standard input.
inline CliRun RunCli(const Folders& folders, const std::vector<std::string>& words, const std::string& input = "")
{
    CliRun run;
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in(input);
    for (const auto& command : cli::AllCommands()) {
        if (command->Name() == words.at(0)) {
            cli::Store store(folders, err);
            store.input = &in;
            run.status = ExecuteCommand(*command, store, words, out, err);
        }
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace lk::test
