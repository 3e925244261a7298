// A portable app on the drive, found by the launcher: it tells where it was started, in
// cwd.txt beside itself, and ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {}, cwd[MAX_PATH] = {};
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    GetCurrentDirectoryA(MAX_PATH, cwd);
    return !(std::ofstream(exe.substr(0, exe.rfind('\\')) + "\\cwd.txt") << cwd);
}
