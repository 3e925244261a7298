#pragma once
// Reading real windows from outside, as an accessibility tool would, and playing the user
// inside a modal loop.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/win32/win32_backend.h"

using Strings = std::vector<std::string>;

inline HWND H(const ui::Control& control) {
    return reinterpret_cast<HWND>(control.Handle());
}

inline std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

inline std::string TextOf(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

inline LONG StyleOf(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE);
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

inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Type(HWND box, const std::string& text) {
    SetFocus(box);
    for (char c : text) PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline void Key(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
}

inline void AltKey(char letter) {
    PostMessageA(GetFocus(), WM_SYSCHAR, letter, 1 | (1 << 29));
}

// Steps played inside the next modal loop, each posted once the messages the one before
// posted have been handled.
class PostedSteps {
  public:
    explicit PostedSteps(ui::Win32Backend& backend) : backend_(backend) {}
    void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
    void Start() {
        if (steps_.empty()) return;
        auto step = std::move(steps_.front());
        steps_.erase(steps_.begin());
        backend_.Post([this, step] {
            step();
            Start();
        });
    }

  private:
    ui::Win32Backend& backend_;
    std::vector<std::function<void()>> steps_;
};
