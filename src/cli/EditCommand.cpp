#include "cli/AccountLookup.h"
#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/Commands.h"
#include "cli/PasswordInput.h"
#include "cli/Store.h"
#include "core/document/AccountSave.h"
#include "core/editor/AccountEdit.h"
#include "core/platform/TextConversion.h"

#include <ostream>

namespace lk::cli {
namespace {

class EditCommand final : public Command
{
public:
    std::string_view Name() const override { return "edit"; }
    std::string_view Synopsis() const override
    {
        return "edit NAME [--name N] [--url U] [--user X] [--id Y] [--comment C]\n"
               "    [--password-prompt | --password-stdin] [--yes]\n"
               "    changes the first account named NAME as the form's Save does: each option given replaces\n"
               "    its field (an empty value empties it), the others stay; the questions are answered Yes\n"
               "    only with --yes";
    }

    int Execute(Store& store, const std::vector<std::string>& args, std::ostream&, std::ostream& err) override
    {
        const Arguments arguments(args, {"--name", "--url", "--user", "--id", "--comment"},
                                  {"--yes", "--password-prompt", "--password-stdin"});
        const std::string& name = arguments.Single("account name");
        AccountRecord* record = RequireAccountNamed(store, name, err);
        if (record == nullptr) {
            return kRefused;
        }
        const ChosenPassword chosen = ReadChosenPassword(arguments, *store.input);
        if (chosen.failed) {
            err << "ledgerkeeper-cli: no password could be read; nothing saved\n";
            return kRefused;
        }
        const auto typed = [&](std::string_view option) -> std::optional<std::u16string> {
            if (const auto value = arguments.Value(option)) {
                return FromEightBit(*value);
            }
            return std::nullopt;
        };
        AccountEdit edit;
        edit.account = typed("--name");
        edit.url = typed("--url");
        edit.userName = typed("--user");
        edit.accountId = typed("--id");
        edit.comment = typed("--comment");
        if (chosen.given) {
            edit.password = FromEightBit(chosen.password);
        }

        store.desktop.answerYes = arguments.Flag("--yes");
        switch (SaveShownAccount(store.document, *record, EditedBoxes(*record, edit))) {
        case SaveOutcome::Saved:
            return kDone;
        case SaveOutcome::Unchanged:
            err << "ledgerkeeper-cli: nothing changed\n";
            return kDone;
        case SaveOutcome::Incomplete:
            err << "ledgerkeeper-cli: an account needs a name and a URL; nothing saved\n";
            return kRefused;
        default:
            return kRefused;
        }
    }
};

} // namespace

std::unique_ptr<Command> MakeEditCommand()
{
    return std::make_unique<EditCommand>();
}

} // namespace lk::cli
