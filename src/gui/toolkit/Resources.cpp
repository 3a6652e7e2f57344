#include "gui/toolkit/Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside of any namespace.
static void InitLedgerKeeperResources()
{
    Q_INIT_RESOURCE(ledgerkeeper);
}

namespace lk {

void InitResources()
{
    InitLedgerKeeperResources();
}

} // namespace lk
