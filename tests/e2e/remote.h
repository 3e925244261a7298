#pragma once
// Drives a running quopa.exe from outside, as an accessibility tool would: processes and
// their windows.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {

inline std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The steps' texts and paths are UTF-8; the windows speak UTF-16.
inline std::filesystem::path Wide(const std::string& text) {
    return std::u8string(text.begin(), text.end());
}
inline std::string Utf8(const std::wstring& wide) {
    const std::u8string text = std::filesystem::path(wide).u8string();
    return {text.begin(), text.end()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(Wide(path), std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(Wide(path), std::ios::binary).rdbuf();
    return s.str();
}

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    for (int waited = 0; waited < timeoutMs; waited += 50, Sleep(50))
        if (done()) return true;
    return done();
}

inline std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The descendants of `parent` (without one, the visible top-level windows of process `pid`)
// of that class and text (any when null or empty), in creation order, which is the tab order.
inline std::vector<HWND> Find(HWND parent, const char* className, const std::string& text = "",
                              DWORD pid = 0) {
    std::vector<HWND> all, found;
    const WNDENUMPROC add = [](HWND window, LPARAM to) {
        reinterpret_cast<std::vector<HWND>*>(to)->push_back(window);
        return TRUE;
    };
    parent ? EnumChildWindows(parent, add, reinterpret_cast<LPARAM>(&all))
           : EnumWindows(add, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((parent || (owner == pid && IsWindowVisible(window))) &&
            (!className || ClassOf(window) == className) &&
            (text.empty() || WindowText(window) == text))
            found.push_back(window);
    }
    return found;
}

inline HWND FindChild(HWND parent, const char* className, const std::string& text = "") {
    const std::vector<HWND> found = Find(parent, className, text);
    return found.empty() ? nullptr : found[0];
}

class Launcher {
  public:
    ~Launcher() {
        if (Running()) TerminateProcess(pi.hProcess, 1);
        if (pi.hProcess) CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
    }
    bool Start(const std::string& exe, const std::string& folder) {
        STARTUPINFOA si = {sizeof(si)};
        std::string line = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &si, &pi);
    }
    // The newest visible top-level window of this process with that class and caption.
    HWND WaitWindow(const char* className, int timeoutMs = 10000,
                    const std::string& caption = "") const {
        std::vector<HWND> found;
        WaitUntil(
            [&] { return !(found = Find(nullptr, className, caption, pi.dwProcessId)).empty(); },
            timeoutMs);
        return found.empty() ? nullptr : found.back();
    }
    bool WaitExit(int timeoutMs, DWORD* exitCode = nullptr) const {
        if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
        return !exitCode || GetExitCodeProcess(pi.hProcess, exitCode);
    }
    bool Running() const { return WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }

    PROCESS_INFORMATION pi = {};
};

}  // namespace e2e
