#pragma once
// Menu shortcuts as the menus show them ("Ctrl+I", "Shift+F2", "Del"), read into a key and
// its modifiers. Keys carry the system's virtual-key codes.
#include <string_view>

namespace ui {

struct Shortcut {
    bool ctrl = false, shift = false, alt = false;
    int key = 0;
};

// False when the text names no key or an unknown modifier.
bool ParseShortcut(std::string_view text, Shortcut& shortcut);

}  // namespace ui
