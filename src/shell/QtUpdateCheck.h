#pragma once

namespace lk {

class DesktopPort;

// The update check as the main window's creation runs it: the base address from
// LEDGERKEEPER_UPDATE_URL or the build setting ("off" disables the check), the
// downloads over Qt Network, the start time in the program's settings.
// True when the program is to go on starting.
bool RunStartupUpdateCheck(DesktopPort& desktop);

} // namespace lk
