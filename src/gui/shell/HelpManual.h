#pragma once

#include <filesystem>

namespace lk {

class DesktopPort;
struct Folders;

// The program's manual, "ledgerkeeper.html" in the program folder. It ships
// inside the program and is written there when it is missing, so that Help
// always has a file to open.
std::filesystem::path ManualPath(const Folders& folders);
// Writes the manual when it is missing; false when it is missing afterwards.
bool EnsureManual(const Folders& folders);
// Help: the manual, opened with the desktop's viewer. A manual that can't be
// written or opened gives no message.
bool OpenManual(DesktopPort& desktop, const Folders& folders);

} // namespace lk
