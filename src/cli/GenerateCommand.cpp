#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "core/password/PasswordGenerator.h"

#include <charconv>
#include <ostream>

namespace lk::cli {
namespace {

class GenerateCommand final : public Command
{
public:
    std::string_view Name() const override { return "generate"; }
    std::string_view Synopsis() const override
    {
        return "generate [--length N] [--no-symbols] [--no-lookalikes]\n"
               "    one random password (upper and lower case, digits and symbols, at least one of each) on\n"
               "    standard output; N from 4 to 62 (default 20); --no-lookalikes leaves out 0 O o 1 l I |";
    }

    int Execute(Store&, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        const Arguments arguments(args, {"--length"}, {"--no-symbols", "--no-lookalikes"});
        if (!arguments.Positional().empty()) {
            throw UsageError{"generate takes options only"};
        }
        PasswordRecipe recipe;
        if (const auto length = arguments.Value("--length")) {
            recipe.length = ParseLength(*length);
        }
        recipe.symbols = !arguments.Flag("--no-symbols");
        recipe.noLookAlikes = arguments.Flag("--no-lookalikes");
        const auto password = GeneratePassword(recipe);
        if (!password) {
            err << "ledgerkeeper-cli: the system's random source can't be had\n";
            return kRefused;
        }
        out << *password << '\n';
        return kDone;
    }

private:
    static std::size_t ParseLength(const std::string& text)
    {
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
        if (error != std::errc() || end != text.data() + text.size() || length < PasswordRecipe::kMinLength ||
            length > PasswordRecipe::kMaxLength) {
            throw UsageError{"--length is a number from 4 to 62"};
        }
        return length;
    }
};

} // namespace

std::unique_ptr<Command> MakeGenerateCommand()
{
    return std::make_unique<GenerateCommand>();
}

} // namespace lk::cli
