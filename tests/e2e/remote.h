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
    // Waits for a visible top-level window of this process with the given class (any class
    // when null) and caption (any when empty).
    HWND WaitWindow(const char* className, int timeoutMs = 20000,
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
HWND FindChild(HWND parent, const char* className, const std::string& text = "");
// Every descendant of that class, in creation order (which is also the tab order).
std::vector<HWND> Children(HWND parent, const char* className);

// Polls until `done` holds; false when it still does not after the time-out.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);
bool WaitGone(HWND window, int timeoutMs = 10000);

// What a user's keyboard and mouse do to one control. Keys are sent, so each has been
// handled (and its change told to the program) on return; a click is posted, since it may
// open a modal window that would hold the sender.
void Type(HWND edit, const std::string& text);
void Retype(HWND edit, const std::string& text);  // over all that was there
// Walks a drop-down list with the arrow keys to the entry; false when it has none such.
bool Pick(HWND list, const std::string& entry);
void Click(HWND button);

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
