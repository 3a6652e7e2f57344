#include "gui/toolkit/CommandRouter.h"

#include <QAction>
#include <QVariant>

namespace lk {

bool CommandRouter::Route(int id) const
{
    if (!m_chain) {
        return false;
    }
    for (CommandTarget* target : m_chain()) {
        if (target != nullptr && target->OnCommand(id)) {
            return true;
        }
    }
    return false;
}

bool CommandRouter::RouteFrom(CommandTarget& first, int id) const
{
    return first.OnCommand(id) || Route(id);
}

void CommandRouter::Bind(QAction* action, int id) const
{
    action->setData(id);
    QObject::connect(action, &QAction::triggered, action, [this, id] { Route(id); });
}

int CommandRouter::IdOf(const QAction* action)
{
    return action == nullptr ? 0 : action->data().toInt();
}

} // namespace lk
