#pragma once
// Reading real windows from outside, as an accessibility tool would.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_code_page.h"
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

// A fresh folder under the temporary one, named (in UTF-8) for this process; no separator at
// the end.
inline std::string TempFolder(const std::string& prefix) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    std::string folder = platform::Utf8(temp) + prefix + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(platform::Wide(folder).c_str(), nullptr);
    return folder;
}

// A file beside this test program.
inline std::string Beside(const std::string& name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}
