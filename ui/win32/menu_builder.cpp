#include "ui/win32/menu_builder.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace ui::win32 {

MenuHandle MenuBuilder::BuildBar(MenuItem& bar) {
    popups_.clear();
    MenuHandle menu(CreateMenu());
    if (menu) Fill(menu.get(), bar);
    return menu;
}

MenuHandle MenuBuilder::BuildPopup(MenuItem& item) {
    MenuHandle menu(CreatePopupMenu());
    if (menu) Fill(menu.get(), item);
    return menu;
}

void MenuBuilder::Fill(HMENU menu, MenuItem& parent) {
    for (const auto& owned : parent.Items()) {
        MenuItem& item = *owned;
        if (!item.Visible()) continue;
        if (item.IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item.Caption();
        if (!item.Shortcut().empty()) text += "\t" + item.Shortcut();
        const UINT state = item.Enabled() ? MF_ENABLED : MF_GRAYED;
        if (item.Items().empty()) {
            AppendMenuA(menu, MF_STRING | state, static_cast<UINT_PTR>(item.Id()), text.c_str());
            continue;
        }
        HMENU sub = CreatePopupMenu();
        if (!sub) continue;
        popups_[sub] = &item;
        Fill(sub, item);
        if (!AppendMenuA(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
            Forget(sub);
            DestroyMenu(sub);
        }
    }
}

void MenuBuilder::Forget(HMENU menu) {
    popups_.erase(menu);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) Forget(sub);
    }
}

bool MenuBuilder::Refresh(HMENU popup) {
    auto it = popups_.find(popup);
    if (it == popups_.end()) return false;
    MenuItem& item = *it->second;
    for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i) {
        if (HMENU sub = GetSubMenu(popup, i)) Forget(sub);
        DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);  // destroys submenus too
    }
    Fill(popup, item);
    return true;
}

namespace {
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

WORD KeyOf(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return name[0];
    if (name.size() >= 2 && name[0] == 'F') {
        const int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 24 && name.find_first_not_of("0123456789", 1) == std::string::npos) {
            return static_cast<WORD>(VK_F1 + n - 1);
        }
    }
    static const struct {
        const char* name;
        WORD key;
    } kNamed[] = {{"DEL", VK_DELETE},    {"DELETE", VK_DELETE}, {"INS", VK_INSERT},
                  {"INSERT", VK_INSERT}, {"BKSP", VK_BACK},     {"BACKSPACE", VK_BACK},
                  {"ENTER", VK_RETURN},  {"ESC", VK_ESCAPE},    {"SPACE", VK_SPACE},
                  {"TAB", VK_TAB},       {"HOME", VK_HOME},     {"END", VK_END},
                  {"PGUP", VK_PRIOR},    {"PGDN", VK_NEXT}};
    for (const auto& named : kNamed) {
        if (name == named.name) return named.key;
    }
    return 0;
}
}  // namespace

bool ParseShortcut(const std::string& text, ACCEL& accel) {
    accel = ACCEL{};
    accel.fVirt = FVIRTKEY;
    std::string rest = Upper(text);
    for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();
         rest = rest.substr(plus + 1)) {
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "CTRL") {
            accel.fVirt |= FCONTROL;
        } else if (modifier == "SHIFT") {
            accel.fVirt |= FSHIFT;
        } else if (modifier == "ALT") {
            accel.fVirt |= FALT;
        } else {
            return false;
        }
    }
    accel.key = KeyOf(rest);
    return accel.key != 0;
}

namespace {
void CollectShortcuts(const MenuItem& menu, std::vector<ACCEL>& table) {
    for (const auto& item : menu.Items()) {
        if (!item->Visible()) continue;
        ACCEL accel;
        if (item->Id() != 0 && ParseShortcut(item->Shortcut(), accel)) {
            accel.cmd = static_cast<WORD>(item->Id());
            table.push_back(accel);
        }
        CollectShortcuts(*item, table);
    }
}
}  // namespace

AccelHandle BuildAccelerators(const MenuItem& bar) {
    std::vector<ACCEL> table;
    CollectShortcuts(bar, table);
    if (table.empty()) return {};
    return AccelHandle(CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}

}  // namespace ui::win32
