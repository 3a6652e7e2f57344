#pragma once

#include "gui/toolkit/CommandTarget.h"

#include <QPointer>
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

    // Whether a target of the moment would handle the command.
    [[nodiscard]] bool Handles(int id) const;
    [[nodiscard]] bool HandlesFrom(const CommandTarget& first, int id) const;

    // Gives the action its command id, routes its triggering and keeps its
    // enabled state with UpdateActions.
    void Bind(QAction* action, int id);
    // Keeps the enabled state of an action that reaches `first` before the usual
    // chain (the pane's buttons); its triggering is the owner's business.
    void Track(QAction* action, const CommandTarget& first, int id);
    // Enables every bound or tracked action whose command a target handles now
    // and disables the others. Run whenever the targets change (another account
    // window in front, a document made or closed) and after every command.
    void UpdateActions() const;
    // The command id an action carries, or 0.
    static int IdOf(const QAction* action);

private:
    struct Tracked
    {
        QPointer<QAction> action;
        const CommandTarget* first = nullptr;
        int id = 0;
    };

    Chain m_chain;
    std::vector<Tracked> m_actions;
};

} // namespace lk
