#include "platform/win32/win32_process.h"

#include <windows.h>

#include <string>

namespace platform {

bool Win32Process::AnotherInstanceRunning() {
    if (checked_) return another_;
    checked_ = true;
    // One copy per user: the name carries the user, and Local\ keeps it to the session.
    char user[257] = {};
    DWORD size = sizeof(user);
    if (!GetUserNameA(user, &size)) user[0] = '\0';
    std::string name = "Local\\Quopa.Launcher.SingleInstance.";
    for (const char* p = user; *p; ++p) name += (*p == '\\') ? '_' : *p;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    another_ = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    mutex_.Reset(mutex);
    return another_;
}

std::string Win32Process::ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
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
