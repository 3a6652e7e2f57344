#include "cli/Arguments.h"

#include "cli/Command.h"

namespace lk::cli {

Arguments::Arguments(const std::vector<std::string>& args, const std::set<std::string, std::less<>>& valueOptions,
                     const std::set<std::string, std::less<>>& flagOptions)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.rfind("--", 0) != 0) {
            positional_.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (valueOptions.count(arg) != 0) {
            if (i + 1 >= args.size()) {
                throw UsageError{"option " + arg + " needs a value"};
            }
            values_.emplace_back(arg, args[++i]);
        } else if (flagOptions.count(arg) != 0) {
            flags_.insert(arg);
        } else {
            throw UsageError{"unknown option " + arg};
        }
    }
}

std::optional<std::string> Arguments::Value(std::string_view option) const
{
    for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
        if (it->first == option) {
            return it->second;
        }
    }
    return std::nullopt;
}

bool Arguments::Flag(std::string_view option) const
{
    return flags_.count(option) != 0;
}

const std::string& Arguments::Single(std::string_view what) const
{
    if (positional_.size() != 1) {
        throw UsageError{"expected one " + std::string(what)};
    }
    return positional_.front();
}

} // namespace lk::cli
