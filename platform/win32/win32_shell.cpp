#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "platform/win32/com.h"
#include "platform/win32/win32_code_page.h"

namespace platform {

namespace {
const wchar_t* OrNull(const std::wstring& s) {
    return s.empty() ? nullptr : s.c_str();
}

constexpr int kArgumentsChars = 1024;  // what the shortcut's own property page takes

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
    HINSTANCE result =
        ShellExecuteW(reinterpret_cast<HWND>(owner), OrNull(Wide(operation)), Wide(file).c_str(),
                      OrNull(Wide(parameters)), OrNull(Wide(directory)), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

std::intptr_t Win32Shell::FindProgram(const std::string& file, const std::string& directory,
                                      std::string& program) {
    wchar_t buffer[MAX_PATH + 1] = {};
    HINSTANCE result = FindExecutableW(Wide(file).c_str(), OrNull(Wide(directory)), buffer);
    program = Utf8(buffer);
    return reinterpret_cast<std::intptr_t>(result);
}

std::string Win32Shell::TempPath() {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH, buffer);
    return n > 0 && n <= MAX_PATH ? Utf8({buffer, n}) : std::string();
}

Picture Win32Shell::FileIcon(const std::string& path, std::uint32_t flags) {
    SHFILEINFOW info = {};
    // The small icon: the tree shows 16 x 16 pictures and a scaled large one looks blurred.
    DWORD_PTR ok = SHGetFileInfoW(Wide(path).c_str(), 0, &info, sizeof(info),
                                  flags | SHGFI_ICON | SHGFI_SMALLICON);
    if (!ok || !info.hIcon) return {};
    return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(info.hIcon),
                   DestroyGdiPicture);
}

Picture Win32Shell::OwnIcon(const std::string& path) {
    HICON small = nullptr;
    if (ExtractIconExW(Wide(path).c_str(), 0, nullptr, &small, 1) > 0 && small)
        return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(small),
                       DestroyGdiPicture);
    return FileIcon(path, 0);
}

bool Win32Shell::StartProcess(const std::string& commandLine, int showCommand,
                              const std::string& directory) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION pi = {};
    // The system may write into the command line it is given.
    std::wstring line = Wide(commandLine);
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        OrNull(Wide(directory)), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

std::string Win32Shell::SystemFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? Utf8({buffer, n}) : std::string();
}

std::optional<ShortcutTarget> Win32Shell::ReadShortcut(const std::string& path) {
    const ComScope com;
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                ComOut(link).Any())))
        return std::nullopt;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, ComOut(file).Any()))) return std::nullopt;
    if (path.empty() || FAILED(file->Load(Wide(path).c_str(), STGM_READ))) return std::nullopt;
    // Read as stored: resolving would search the disks and may show a window.
    wchar_t buffer[kArgumentsChars + 1] = {};
    if (link->GetPath(buffer, MAX_PATH, nullptr, 0) != S_OK || !buffer[0]) return std::nullopt;
    ShortcutTarget target{Utf8(buffer), {}, {}};
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetArguments(buffer, kArgumentsChars))) target.arguments = Utf8(buffer);
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(buffer, MAX_PATH))) target.folder = Utf8(buffer);
    return target;
}

}  // namespace platform
