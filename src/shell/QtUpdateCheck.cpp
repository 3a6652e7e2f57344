#include "shell/QtUpdateCheck.h"

namespace lk {

bool RunStartupUpdateCheck(DesktopPort&)
{
    // Not wired yet: the program always goes on starting.
    return true;
}

} // namespace lk
