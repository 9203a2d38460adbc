#pragma once

#include <span>

// Where each command stands in the menu bar: menu by menu, popup by popup, top to bottom. The
// commands themselves (texts, shortcuts, handlers) are their owners'; this is only their order.
struct MenuItem {
    const char* menu;    // top-level menu
    const char* submenu; // popup inside the menu, or nullptr
    int id;              // 0 for a separator
};

namespace MenuLayout {

// The titles of the menu bar, left to right.
std::span<const char* const> MenuTitles();
// Every item, separators included, in the order the menus show them.
std::span<const MenuItem> Items();

} // namespace MenuLayout
