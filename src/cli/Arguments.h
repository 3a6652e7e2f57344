#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lk::cli {

// The options and positional arguments of one command line: "--name VALUE"
// for the options that take a value, "--flag" for the others.
class Arguments
{
public:
    // Throws UsageError for an unknown option or a missing value.
    Arguments(const std::vector<std::string>& args, const std::set<std::string, std::less<>>& valueOptions,
              const std::set<std::string, std::less<>>& flagOptions);

    std::optional<std::string> Value(std::string_view option) const;
    bool Flag(std::string_view option) const;
    const std::vector<std::string>& Positional() const { return positional_; }
    // The one positional argument; throws UsageError when there is not exactly one.
    const std::string& Single(std::string_view what) const;

private:
    std::vector<std::pair<std::string, std::string>> values_;
    std::set<std::string, std::less<>> flags_;
    std::vector<std::string> positional_;
};

} // namespace lk::cli
