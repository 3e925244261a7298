#include "ui/shortcut.h"

#include <string>

#include "platform/text.h"

namespace ui {

namespace {
// Virtual-key codes of the keys a shortcut may name, as the system numbers them.
constexpr int kKeyF1 = 0x70;
constexpr struct {
    const char* name;
    int key;
} kNamed[] = {{"DEL", 0x2E},   {"DELETE", 0x2E},    {"INS", 0x2D},   {"INSERT", 0x2D},
              {"BKSP", 0x08},  {"BACKSPACE", 0x08}, {"ENTER", 0x0D}, {"ESC", 0x1B},
              {"SPACE", 0x20}, {"TAB", 0x09},       {"HOME", 0x24},  {"END", 0x23},
              {"PGUP", 0x21},  {"PGDN", 0x22}};

bool IsDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

int KeyOf(std::string_view name) {
    if (name.size() == 1) {
        const char c = name[0];
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' && IsDigits(name.substr(1))) {
        const int n = std::stoi(std::string(name.substr(1)));
        if (n >= 1 && n <= 24) return kKeyF1 + n - 1;
    }
    for (const auto& named : kNamed) {
        if (name == named.name) return named.key;
    }
    return 0;
}
}  // namespace

bool ParseShortcut(std::string_view text, Shortcut& shortcut) {
    shortcut = Shortcut{};
    const std::string upper = platform::AsciiUpper(text);
    std::string_view rest = upper;
    for (std::size_t plus;
         (plus = rest.find('+')) != std::string_view::npos && plus + 1 < rest.size();
         rest = rest.substr(plus + 1)) {
        const std::string_view modifier = rest.substr(0, plus);
        if (modifier == "CTRL") {
            shortcut.ctrl = true;
        } else if (modifier == "SHIFT") {
            shortcut.shift = true;
        } else if (modifier == "ALT") {
            shortcut.alt = true;
        } else {
            return false;
        }
    }
    shortcut.key = KeyOf(rest);
    return shortcut.key != 0;
}

}  // namespace ui
