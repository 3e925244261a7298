#include "ui/win32/menu_builder.h"

#include "platform/win32/win32_code_page.h"
#include "ui/shortcut.h"

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
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item.Caption();
        if (!item.Shortcut().empty()) text += "\t" + item.Shortcut();
        const std::wstring caption = platform::Wide(text);
        const UINT state = item.Enabled() ? MF_ENABLED : MF_GRAYED;
        if (item.Items().empty()) {
            AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.Id()), caption.c_str());
            continue;
        }
        HMENU sub = CreatePopupMenu();
        if (!sub) continue;
        popups_[sub] = &item;
        Fill(sub, item);
        if (!AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub),
                         caption.c_str())) {
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
void CollectShortcuts(const MenuItem& menu, std::vector<ACCEL>& table) {
    for (const auto& item : menu.Items()) {
        if (!item->Visible()) continue;
        for (const std::string* text : {&item->Shortcut(), &item->AlsoPressed()}) {
            Shortcut shortcut;
            if (item->Id() == 0 || !ParseShortcut(*text, shortcut)) continue;
            ACCEL accel{};
            accel.fVirt = FVIRTKEY;
            if (shortcut.ctrl) accel.fVirt |= FCONTROL;
            if (shortcut.shift) accel.fVirt |= FSHIFT;
            if (shortcut.alt) accel.fVirt |= FALT;
            accel.key = static_cast<WORD>(shortcut.key);
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
    return AccelHandle(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

}  // namespace ui::win32
