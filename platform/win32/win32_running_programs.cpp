#include "platform/win32/win32_running_programs.h"

#include <windows.h>

#include <tlhelp32.h>

#include <map>

#include "platform/win32/handles.h"
#include "platform/win32/win32_code_page.h"

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
    wchar_t text[256] = {};
    const int n = GetWindowTextW(hwnd, text, 256);
    return Utf8({text, static_cast<std::size_t>(n > 0 ? n : 0)});
}

// The program file is read through the held handle, so it is this very process's.
std::string ImagePath(HANDLE process) {
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) return {};
    return Utf8({path, size});
}

// Looking needs SYNCHRONIZE and the query right; a program we may look at but not end (one
// running with higher rights) is still held, and its End is refused.
win32::KernelHandle Open(DWORD id) {
    constexpr DWORD kLook = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;
    win32::KernelHandle process(OpenProcess(kLook | PROCESS_TERMINATE, FALSE, id));
    if (!process) process.Reset(OpenProcess(kLook, FALSE, id));
    return process;
}

class Win32HeldProgram : public HeldProgram {
  public:
    Win32HeldProgram(win32::KernelHandle process, RunningProgram info)
        : process_(std::move(process)), info_(std::move(info)) {}

    const RunningProgram& Info() const override { return info_; }

    // The id names no other process while ours is held, so its windows are this program's.
    void AskToClose() override {
        for (HWND hwnd : WindowsOf(info_.id)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }

    ProgramState State() override {
        if (Exited()) return ProgramState::Gone;
        // A program asking its user something shows a dialog that disables the window it
        // belongs to: then it waits for its user, not for us.
        for (HWND hwnd : WindowsOf(info_.id)) {
            if (!IsWindowEnabled(hwnd)) return ProgramState::WaitingForUser;
        }
        return ProgramState::Running;
    }

    bool End() override {
        if (Exited()) return true;
        if (!TerminateProcess(process_.get(), 1)) return false;
        WaitForSingleObject(process_.get(), 5000);  // the drive is free only once it is gone
        return true;
    }

  private:
    bool Exited() const { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

    win32::KernelHandle process_;
    RunningProgram info_;
};

}  // namespace

bool Win32RunningPrograms::List(std::vector<std::unique_ptr<HeldProgram>>& programs) {
    programs.clear();
    win32::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return false;
    }
    std::vector<std::pair<win32::KernelHandle, RunningProgram>> held;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        win32::KernelHandle process = Open(entry.th32ProcessID);
        if (!process) continue;  // not ours to look into
        std::string path = ImagePath(process.get());
        if (path.empty()) continue;
        held.emplace_back(std::move(process), RunningProgram{entry.th32ProcessID, std::move(path)});
    }
    // Titles once every id is held: each window then belongs to the program listed under it.
    // A process's title is its first visible, unowned window's caption.
    std::map<DWORD, std::string> titles;
    for (HWND hwnd : WindowsOf(0)) {
        if (GetWindow(hwnd, GW_OWNER)) continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        std::string text = Text(hwnd);
        if (!text.empty()) titles.emplace(owner, std::move(text));
    }
    for (auto& [process, info] : held) {
        if (auto title = titles.find(info.id); title != titles.end()) info.title = title->second;
        programs.push_back(std::make_unique<Win32HeldProgram>(std::move(process), std::move(info)));
    }
    return true;
}

std::uint32_t Win32RunningPrograms::OwnId() {
    return GetCurrentProcessId();
}

}  // namespace platform
