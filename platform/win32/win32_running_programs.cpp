#include "platform/win32/win32_running_programs.h"

#include <windows.h>

#include <tlhelp32.h>

#include <map>

#include "platform/win32/handles.h"

namespace platform {

namespace {

// The visible top-level windows of one process, or of every process when id is 0.
struct TopWindows {
    DWORD id = 0;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* top = reinterpret_cast<TopWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if ((top->id == 0 || owner == top->id) && IsWindowVisible(hwnd)) top->windows.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD id) {
    TopWindows top{id, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&top));
    return top.windows;
}

std::string Text(HWND hwnd) {
    char text[256] = {};
    const int n = GetWindowTextA(hwnd, text, sizeof(text));
    return std::string(text, n > 0 ? n : 0);
}

std::string ImagePath(DWORD id) {
    win32::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) return {};
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path);
    if (!QueryFullProcessImageNameA(process.get(), 0, path, &size)) return {};
    return std::string(path, size);
}

}  // namespace

bool Win32RunningPrograms::List(std::vector<RunningProgram>& programs) {
    programs.clear();
    win32::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return false;
    }
    // A title for each process with a window: its first visible, unowned window's caption.
    std::map<DWORD, std::string> titles;
    for (HWND hwnd : WindowsOf(0)) {
        if (GetWindow(hwnd, GW_OWNER)) continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        std::string text = Text(hwnd);
        if (!text.empty()) titles.emplace(owner, std::move(text));
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        std::string path = ImagePath(entry.th32ProcessID);
        if (path.empty()) continue;  // not ours to look into
        auto title = titles.find(entry.th32ProcessID);
        programs.push_back({entry.th32ProcessID, std::move(path),
                            title == titles.end() ? std::string() : title->second});
    }
    return true;
}

std::uint32_t Win32RunningPrograms::OwnId() {
    return GetCurrentProcessId();
}

void Win32RunningPrograms::AskToClose(std::uint32_t id) {
    for (HWND hwnd : WindowsOf(id)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

ProgramState Win32RunningPrograms::State(std::uint32_t id) {
    win32::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0)
        return ProgramState::Gone;
    // A program asking its user something shows a dialog that disables the window it
    // belongs to: then it waits for its user, not for us.
    for (HWND hwnd : WindowsOf(id)) {
        if (!IsWindowEnabled(hwnd)) return ProgramState::WaitingForUser;
    }
    return ProgramState::Running;
}

bool Win32RunningPrograms::End(std::uint32_t id) {
    win32::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process || !TerminateProcess(process.get(), 1)) return false;
    WaitForSingleObject(process.get(), 5000);  // the drive is free only once it is gone
    return true;
}

}  // namespace platform
