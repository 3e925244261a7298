#pragma once
// Drives a running quopa.exe from outside, as an accessibility tool would: processes,
// top-level windows, and the tree view's items read across the process boundary.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

std::string Env(const char* name);
// A Linux path ("/work/...") as Wine sees it; other paths unchanged.
std::string WinePath(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

class Launcher {
  public:
    Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;
    ~Launcher();
    bool Start(const std::string& exe, const std::string& folder);
    // A visible top-level window of this process with the given class (any when null) and
    // caption (any when empty).
    HWND WaitWindow(const char* className, int timeoutMs = 10000,
                    const std::string& caption = "") const;
    bool WaitExit(int timeoutMs, DWORD* exitCode = nullptr) const;
    bool Running() const;
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }
    HANDLE MainThread() const { return pi_.hThread; }

  private:
    PROCESS_INFORMATION pi_ = {};
};

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// The first descendant of that class (any when null) and text (any when empty).
HWND FindChild(HWND parent, const char* className, const std::string& text = "");
// Every descendant of that class, in creation order (which is also the tab order).
std::vector<HWND> Children(HWND parent, const char* className);
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Every node of a tree view in another process, in display order, as "parent/text".
struct RemoteNode {
    std::string path;
    HTREEITEM item = nullptr;
};
std::vector<RemoteNode> ReadTree(HWND tree, HANDLE process);
// Where the item's text is drawn, in the tree's client coordinates.
bool ItemRect(HWND tree, HANDLE process, HTREEITEM item, RECT& rect);
// A copy of the bytes in the other process's memory, left there for it to own.
void* Lend(HANDLE process, const std::string& bytes);

}  // namespace e2e
