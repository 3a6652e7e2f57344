#pragma once

#include <optional>

namespace lk {

// Whether Caps Lock, Num Lock and Scroll Lock are on.
struct LockKeyState
{
    bool caps = false;
    bool num = false;
    bool scroll = false;
    friend bool operator==(const LockKeyState&, const LockKeyState&) = default;
};

// The keyboard's lock indicators as the X server reports them; nothing where
// they can't be had (another platform, a build without Xlib, the offscreen
// platform), and the status bar's indicators then stay dimmed.
std::optional<LockKeyState> ReadLockKeys();

} // namespace lk
