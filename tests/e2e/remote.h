#pragma once
// Drives a running quopa.exe from outside, as an accessibility tool would: processes,
// top-level windows, and the tree view's items read across the process boundary.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace e2e {

std::string Env(const char* name);
// A Linux path ("/work/...") as Wine sees it; other paths unchanged.
std::string WinePath(const std::string& path);
std::string TempFolder(const std::string& prefix);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileThere(const std::string& path);

class Launcher {
  public:
    Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;
    ~Launcher();
    bool Start(const std::string& exe, const std::string& folder);
    // Waits for a visible top-level window of this process with the given class.
    HWND WaitWindow(const char* className, int timeoutMs = 20000) const;
    bool WaitExit(int timeoutMs, DWORD* exitCode = nullptr) const;
    bool Running() const;
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }

  private:
    PROCESS_INFORMATION pi_ = {};
};

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
HWND FindChild(HWND parent, const char* className, const std::string& text = "");

struct RemoteNode {
    std::string text;
    std::string parentText;  // empty at top level
    int image = -1;
    HTREEITEM item = nullptr;
};

// Every node of a tree view in another process, in display order.
std::vector<RemoteNode> ReadTree(HWND tree, DWORD pid);
// Where the item's text is drawn, in the tree's client coordinates.
bool ItemRect(HWND tree, DWORD pid, HTREEITEM item, RECT& rect);

}  // namespace e2e
