#pragma once
// System menus built from MenuItem trees. The menu bar's submenus are filled again each
// time they open, so enabled states and loaded array elements are always current.
#include <windows.h>

#include <string>
#include <unordered_map>

#include "ui/menu.h"
#include "ui/win32/handles.h"

namespace ui::win32 {

class MenuBuilder {
  public:
    MenuHandle BuildBar(MenuItem& bar);
    MenuHandle BuildPopup(MenuItem& menu);
    // On WM_INITMENUPOPUP: false when the menu is none of the bar's.
    bool Refresh(HMENU popup);

  private:
    void Fill(HMENU menu, MenuItem& item);
    void Forget(HMENU menu);

    std::unordered_map<HMENU, MenuItem*> popups_;  // the bar's submenus; items not owned
};

// The shortcuts of every entry the menu bar shows; null when there are none.
AccelHandle BuildAccelerators(const MenuItem& bar);

}  // namespace ui::win32
