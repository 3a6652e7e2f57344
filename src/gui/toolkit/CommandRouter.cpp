#include "gui/toolkit/CommandRouter.h"

#include <QAction>
#include <QVariant>
#include <algorithm>

namespace lk {

bool CommandRouter::Route(int id) const
{
    bool handled = false;
    if (m_chain) {
        for (CommandTarget* target : m_chain()) {
            if (target != nullptr && target->OnCommand(id)) {
                handled = true;
                break;
            }
        }
    }
    // A command can change who handles what: it may open or close a document.
    UpdateActions();
    return handled;
}

bool CommandRouter::RouteFrom(CommandTarget& first, int id) const
{
    if (first.OnCommand(id)) {
        UpdateActions();
        return true;
    }
    return Route(id);
}

bool CommandRouter::Handles(int id) const
{
    if (!m_chain) {
        return false;
    }
    const std::vector<CommandTarget*> chain = m_chain();
    return std::any_of(chain.begin(), chain.end(),
                       [id](const CommandTarget* target) { return target != nullptr && target->Handles(id); });
}

bool CommandRouter::HandlesFrom(const CommandTarget& first, int id) const
{
    return first.Handles(id) || Handles(id);
}

void CommandRouter::Bind(QAction* action, int id)
{
    action->setData(id);
    QObject::connect(action, &QAction::triggered, action, [this, id] { Route(id); });
    m_actions.push_back({action, nullptr, id});
    action->setEnabled(Handles(id));
}

void CommandRouter::Track(QAction* action, const CommandTarget& first, int id)
{
    m_actions.push_back({action, &first, id});
    action->setEnabled(HandlesFrom(first, id));
}

void CommandRouter::UpdateActions() const
{
    for (const Tracked& tracked : m_actions) {
        if (tracked.action.isNull()) {
            continue;
        }
        tracked.action->setEnabled(tracked.first != nullptr ? HandlesFrom(*tracked.first, tracked.id)
                                                            : Handles(tracked.id));
    }
}

int CommandRouter::IdOf(const QAction* action)
{
    return action == nullptr ? 0 : action->data().toInt();
}

} // namespace lk
