#pragma once
// Reading a control's real window from outside, as an accessibility tool would.
#include <windows.h>

#include <string>

#include "ui/control.h"

inline HWND H(const ui::Control& control) {
    return reinterpret_cast<HWND>(control.Handle());
}

inline std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}
