#pragma once

#include <span>

// Every command of the program with its menu place, texts and shortcut, in menu order. The menu
// bar is built from this table; toolbar buttons and context menus take their texts from it.
struct CommandInfo {
    int id;              // 0 for a separator
    const char* menu;    // top-level menu, or nullptr for a toolbar-only command
    const char* submenu; // popup inside the menu, or nullptr
    const char* text;
    const char* shortcut; // nullptr when the command has no accelerator
    const char* prompt;   // shown in the status bar while the item is highlighted
    const char* tooltip;  // shown over the toolbar button
};

namespace CommandTable {

// All entries, separators included, in the order the menus show them; toolbar-only commands last.
std::span<const CommandInfo> Entries();
// The entry of a command, or nullptr for an unknown number.
const CommandInfo* Find(int id);
// The titles of the menu bar, left to right.
std::span<const char* const> MenuTitles();

} // namespace CommandTable
