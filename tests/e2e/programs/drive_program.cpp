// A program started from the drive, for the removal tests: a window that ends on a close
// message, or, copied under a name holding "stubborn", one that ignores it.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

bool stubborn = false;

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            if (!stubborn) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string name = std::string(path).substr(std::string(path).find_last_of('\\') + 1);
    stubborn = name.find("stubborn") != std::string::npos;
    // Copied as a found app, it tells where it was started, beside itself in cwd.txt, and ends.
    if (name.find("Portable") != std::string::npos) {
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        const std::string note =
            std::string(path).substr(0, std::string(path).size() - name.size());
        HANDLE file = CreateFileA((note + "cwd.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, cwd, static_cast<DWORD>(strlen(cwd)), &written, nullptr);
            CloseHandle(file);
        }
        return 0;  // nothing else to show; a program left running would hold the test's output
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = "QuopaDriveProgram";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
