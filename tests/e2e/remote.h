#pragma once
// Drives a running quopa.exe from outside, as an accessibility tool would: processes,
// top-level windows, and the tree view's items read across the process boundary.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {

inline std::string Env(const char* name) {
    char buffer[4096] = {};
    const DWORD n = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return n < sizeof(buffer) ? std::string(buffer, n) : std::string();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    for (int waited = 0; waited < timeoutMs; waited += 50, Sleep(50))
        if (done()) return true;
    return done();
}

inline std::string WindowText(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The descendants of that class (any when null), in creation order, which is the tab order;
// without a parent, the top-level windows.
inline std::vector<HWND> Children(HWND parent, const char* className) {
    std::pair<const char*, std::vector<HWND>> found{className, {}};
    const WNDENUMPROC collect = [](HWND window, LPARAM param) -> BOOL {
        auto& [name, windows] = *reinterpret_cast<decltype(found)*>(param);
        if (!name || lstrcmpiA(ClassOf(window).c_str(), name) == 0) windows.push_back(window);
        return TRUE;
    };
    const auto param = reinterpret_cast<LPARAM>(&found);
    parent ? EnumChildWindows(parent, collect, param) : EnumWindows(collect, param);
    return found.second;
}

// The first of those with that text (any when empty).
inline HWND FindChild(HWND parent, const char* className, const std::string& text = "") {
    for (HWND child : Children(parent, className))
        if (text.empty() || WindowText(child) == text) return child;
    return nullptr;
}

class Launcher {
  public:
    Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;
    ~Launcher() {
        if (Running()) TerminateProcess(pi_.hProcess, 1);
        if (pi_.hProcess) CloseHandle(pi_.hProcess), CloseHandle(pi_.hThread);
    }
    bool Start(const std::string& exe, const std::string& folder) {
        STARTUPINFOA si = {sizeof(si)};
        std::string line = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &si, &pi_);
    }
    // A visible top-level window of this process with the class (any when null) and caption
    // (any when empty).
    HWND WaitWindow(const char* className, int timeoutMs = 10000,
                    const std::string& caption = "") const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND window : Children(nullptr, className)) {
                    DWORD pid = 0;
                    GetWindowThreadProcessId(window, &pid);
                    if (pid == pi_.dwProcessId && IsWindowVisible(window) &&
                        (caption.empty() || WindowText(window) == caption))
                        found = window;
                }
                return found || !Running();
            },
            timeoutMs);
        return found;
    }
    bool WaitExit(int timeoutMs, DWORD* exitCode = nullptr) const {
        if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
        return !exitCode || GetExitCodeProcess(pi_.hProcess, exitCode);
    }
    bool Running() const {
        return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
    }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }
    HANDLE MainThread() const { return pi_.hThread; }

  private:
    PROCESS_INFORMATION pi_ = {};
};

// Sends a message whose argument points at a copy of `value` in the other process, and reads
// the copy back as the process left it; `place` learns the copy's address first, for pointers
// into it.
template <class T>
bool Ask(HWND window, HANDLE process, UINT message, WPARAM w, T& value,
         const std::function<void(char*)>& place = {}) {
    auto* at =
        static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE));
    if (place) place(at);
    const bool ok = at && WriteProcessMemory(process, at, &value, sizeof(T), nullptr) &&
                    SendMessageA(window, message, w, reinterpret_cast<LPARAM>(at)) &&
                    ReadProcessMemory(process, at, &value, sizeof(T), nullptr);
    if (at) VirtualFreeEx(process, at, 0, MEM_RELEASE);
    return ok;
}

struct RemoteNode {
    std::string path;  // "parent/text"
    HTREEITEM item;
};

// Every node of a tree view in another process, in display order.
inline std::vector<RemoteNode> ReadTree(HWND tree, HANDLE process, HTREEITEM first = nullptr,
                                        const std::string& parent = "") {
    const auto next = [&](UINT which, HTREEITEM item) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
    };
    std::vector<RemoteNode> nodes;
    for (HTREEITEM item = first ? first : next(TVGN_ROOT, nullptr); item;
         item = next(TVGN_NEXT, item)) {
        struct {
            TVITEMA tv;
            char text[256];
        } asked = {{TVIF_TEXT | TVIF_HANDLE, item}, {}};
        asked.tv.cchTextMax = sizeof(asked.text);
        Ask(tree, process, TVM_GETITEMA, 0, asked,
            [&](char* at) { asked.tv.pszText = at + sizeof(TVITEMA); });
        nodes.push_back({parent.empty() ? asked.text : parent + "/" + asked.text, item});
        if (HTREEITEM child = next(TVGN_CHILD, item)) {
            const auto below = ReadTree(tree, process, child, nodes.back().path);
            nodes.insert(nodes.end(), below.begin(), below.end());
        }
    }
    return nodes;
}

// Where the item's text is drawn, in the tree's client coordinates.
inline bool ItemRect(HWND tree, HANDLE process, HTREEITEM item, RECT& rect) {
    std::memcpy(&rect, &item, sizeof(item));  // the message takes the item in the rectangle
    return Ask(tree, process, TVM_GETITEMRECT, TRUE, rect);
}

}  // namespace e2e
