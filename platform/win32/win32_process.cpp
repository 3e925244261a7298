#include "platform/win32/win32_process.h"

#include <windows.h>

#include <string>

#include "platform/win32/win32_code_page.h"

namespace platform {

bool Win32Process::AnotherInstanceRunning() {
    if (checked_) return another_;
    checked_ = true;
    // One copy per user: the name carries the user, and Local\ keeps it to the session.
    wchar_t user[257] = {};
    DWORD size = 257;
    if (!GetUserNameW(user, &size)) user[0] = L'\0';
    std::wstring name = L"Local\\Quopa.Launcher.SingleInstance.";
    for (const wchar_t* p = user; *p; ++p) name += (*p == L'\\') ? L'_' : *p;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    another_ = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    mutex_.Reset(mutex);
    return another_;
}

std::string Win32Process::ProgramFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string folder = Utf8({path, n});
    std::string::size_type slash = folder.find_last_of('\\');
    if (slash == std::string::npos) return folder;
    // At a drive root the folder keeps its separator ("E:\").
    if (slash == 2 && folder[1] == ':') return folder.substr(0, 3);
    return folder.substr(0, slash);
}

void Win32Process::End() {
    ExitProcess(0);
}

}  // namespace platform
