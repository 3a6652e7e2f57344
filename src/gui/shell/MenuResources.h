#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace lk {

// The menus and accelerators of the main window, as data. Menu 128 is the main
// window's own, shown while no account window is active; menu 129 the account
// window's.

struct MenuItem
{
    std::string_view text; // empty for a separator
    int id = 0;            // 0 for a separator
};

struct MenuPopup
{
    std::string_view text;
    std::vector<MenuItem> items;
};

inline constexpr int kMainFrameMenu = 128;
inline constexpr int kAccountWindowMenu = 129;

std::vector<MenuPopup> MenuResource(int resourceId);

// The status-bar prompt of a command: the text before the line break goes to
// the status bar, the text after it is the tooltip. Empty for none.
std::string_view CommandPrompt(int id);

struct Accelerator
{
    std::string_view keys; // in Qt's portable key-sequence notation
    int id = 0;
};

std::span<const Accelerator> MainAccelerators();

} // namespace lk
