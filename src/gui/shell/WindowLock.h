#pragma once

#include "gui/toolkit/IdleWatch.h"

#include <chrono>

namespace lk {

class CReaderApp;

// Locking the window's protected store, by Tools > Lock or once the program has
// been left alone for a while: every form is reset, the explorer's trees show
// only their root, the lists are emptied, a copied password is cleared from the
// clipboard and every copy of the data key is wiped. The unlock dialog then
// asks for the master password: the right one brings everything back as at the
// start, Cancel closes the main window and so ends the program. While locked,
// nothing reads the data folder and nothing is saved.
class WindowLock
{
public:
    // The settings key of the idle minutes before the lock; 0 never locks.
    static constexpr const char* kIdleMinutesKey = "Protection/IdleLockMinutes";
    static constexpr int kDefaultIdleMinutes = 10;
    // The idle time as the settings give it now.
    static std::chrono::milliseconds IdleTimeFromSettings();

    WindowLock(CReaderApp& app, std::chrono::milliseconds idleTime);
    WindowLock(const WindowLock&) = delete;
    WindowLock& operator=(const WindowLock&) = delete;

    // A protected store whose key the window holds, and not locked now.
    bool CanLock() const;
    bool IsLocked() const { return m_locked; }
    // Locks, then asks until the store is unlocked again (true) or the user
    // cancels and the main window closes (false).
    bool Lock();

    IdleWatch& Idle() { return m_idle; }

private:
    // The idle time went by: a question or dialog on the screen waits for the
    // user, and a command may be halfway through it, so the lock waits for the
    // next idle time once it is answered.
    void OnIdle();
    // What the lock hides, in the order that keeps every widget from referring
    // to a freed record: the forms, the trees, then the lists.
    void EmptyWindows();
    void FillWindows();

    CReaderApp& m_app;
    IdleWatch m_idle;
    bool m_locked = false;
};

} // namespace lk
