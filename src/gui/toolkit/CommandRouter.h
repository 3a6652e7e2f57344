#pragma once

#include "gui/toolkit/CommandTarget.h"

#include <functional>
#include <vector>

class QAction;

namespace lk {

// Hands every command id to the targets that may handle it, in the order of the
// document/view model: the active form, its document, the account window, the
// main frame and the application. The first target that handles the command ends
// the walk. Menus, accelerators and buttons all carry their command id and come
// through here, so the same id reaches the same handler from every source.
class CommandRouter
{
public:
    using Chain = std::function<std::vector<CommandTarget*>()>;

    // The targets of the moment, first to last; asked anew for every command,
    // since the active account window changes.
    void SetChain(Chain chain) { m_chain = std::move(chain); }

    // True when a target handled the command.
    bool Route(int id) const;
    // Offers the command to `first` before the usual chain: the explorer pane's
    // buttons reach the pane first.
    bool RouteFrom(CommandTarget& first, int id) const;

    // Gives the action its command id and routes its triggering.
    void Bind(QAction* action, int id) const;
    // The command id an action carries, or 0.
    static int IdOf(const QAction* action);

private:
    Chain m_chain;
};

} // namespace lk
