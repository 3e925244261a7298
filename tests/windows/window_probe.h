#pragma once
// Reading real windows from outside, as an accessibility tool would.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/win32/win32_backend.h"

using Strings = std::vector<std::string>;

inline HWND H(const ui::Control& control) {
    return reinterpret_cast<HWND>(control.Handle());
}

inline std::string TextOf(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

inline int Dpi(int axis) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, axis);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// A fresh folder under the temporary one, named for this process; no separator at the end.
inline std::string TempFolder(const std::string& prefix) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = temp + prefix + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// A file beside this test program.
inline std::string Beside(const std::string& name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}
