#pragma once

#include <chrono>

namespace lk {

class DesktopPort;

// The update check as the main window's creation runs it: the base address from
// LEDGERKEEPER_UPDATE_URL or the build setting ("off" disables the check), the
// downloads over Qt Network, the start time in the program's settings, the
// folders of this user. True when the program is to go on starting; false when
// the user took the upgrade and the program is to end before its window shows.
// Needs a QCoreApplication.
bool RunStartupUpdateCheck(DesktopPort& desktop);

// The same with another time-out per download than the usual 15 seconds, and
// another time for the whole check than the usual 30 seconds.
bool RunStartupUpdateCheck(DesktopPort& desktop, std::chrono::milliseconds downloadTimeout,
                           std::chrono::milliseconds checkTimeLimit);

} // namespace lk
