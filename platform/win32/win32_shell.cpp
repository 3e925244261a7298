#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

namespace platform {

namespace {
const char* OrNull(const std::string& s) {
    return s.empty() ? nullptr : s.c_str();
}
}  // namespace

void DestroyGdiPicture(Picture::Kind kind, std::uintptr_t handle) {
    if (kind == Picture::Kind::Icon)
        DestroyIcon(reinterpret_cast<HICON>(handle));
    else if (kind == Picture::Kind::Bitmap)
        DeleteObject(reinterpret_cast<HBITMAP>(handle));
}

std::intptr_t Win32Shell::Execute(WindowId owner, const std::string& operation,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) {
    HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), OrNull(operation), file.c_str(),
                                     OrNull(parameters), OrNull(directory), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

std::intptr_t Win32Shell::FindProgram(const std::string& file, const std::string& directory,
                                      std::string& program) {
    char buffer[MAX_PATH + 1] = {};
    HINSTANCE result = FindExecutableA(file.c_str(), OrNull(directory), buffer);
    program = buffer;
    return reinterpret_cast<std::intptr_t>(result);
}

std::string Win32Shell::TempPath() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    return n > 0 && n <= MAX_PATH ? std::string(buffer, n) : std::string();
}

Picture Win32Shell::FileIcon(const std::string& path, std::uint32_t flags) {
    SHFILEINFOA info = {};
    // The small icon: the tree shows 16 x 16 pictures and a scaled large one looks blurred.
    DWORD_PTR ok =
        SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), flags | SHGFI_ICON | SHGFI_SMALLICON);
    if (!ok || !info.hIcon) return {};
    return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(info.hIcon),
                   DestroyGdiPicture);
}

Picture Win32Shell::OwnIcon(const std::string& path) {
    HICON small = nullptr;
    if (ExtractIconExA(path.c_str(), 0, nullptr, &small, 1) > 0 && small)
        return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(small),
                       DestroyGdiPicture);
    return FileIcon(path, 0);
}

bool Win32Shell::StartProcess(const std::string& commandLine, int showCommand,
                              const std::string& directory) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        OrNull(directory), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

std::string Win32Shell::SystemFolder() {
    char buffer[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? std::string(buffer, n) : std::string();
}

}  // namespace platform
