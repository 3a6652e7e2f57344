#pragma once

#include <functional>

namespace lk {

// Whether Caps Lock is on, as the windowing system tells it (the keyboard's
// indicators on X11); false where it can't tell, such as the offscreen platform.
bool IsCapsLockOn();

// Replaces how the state is read (tests); an empty probe restores the system's.
void SetCapsLockProbe(std::function<bool()> probe);

} // namespace lk
