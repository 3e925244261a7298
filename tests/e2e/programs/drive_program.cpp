// A program started from the drive: a window that ends on a close message, or, copied under
// a name holding "stubborn", one that ignores it; copied as a found portable app, it tells
// where it was started, in cwd.txt beside itself, and ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {}, cwd[MAX_PATH] = {};
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    GetCurrentDirectoryA(MAX_PATH, cwd);
    if (exe.find("Portable") != std::string::npos)
        return !(std::ofstream(exe.substr(0, exe.rfind('\\')) + "\\cwd.txt") << cwd);
    HWND window = CreateWindowA("STATIC", "QuopaDriveProgram", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0)
        if (msg.message != WM_CLOSE || exe.find("stubborn") == std::string::npos)
            DispatchMessageA(&msg);
    return 0;
}
