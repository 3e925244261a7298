#include "tests/e2e/remote.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace e2e {

std::string Env(const char* name) {
    char buffer[4096] = {};
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return n > 0 && n < sizeof(buffer) ? std::string(buffer, n) : std::string();
}

std::string WinePath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

Launcher::~Launcher() {
    if (!pi_.hProcess) return;
    if (Running()) TerminateProcess(pi_.hProcess, 1);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
}

bool Launcher::Start(const std::string& exe, const std::string& folder) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string line = "\"" + exe + "\"";
    return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &pi_) != FALSE;
}

namespace {
// Calls `visit` with each window EnumChildWindows (or, without a parent, EnumWindows) gives
// until it answers true.
void EachWindow(HWND parent, const std::function<bool(HWND)>& visit) {
    auto proc = [](HWND window, LPARAM param) -> BOOL {
        return !(*reinterpret_cast<const std::function<bool(HWND)>*>(param))(window);
    };
    const auto param = reinterpret_cast<LPARAM>(&visit);
    parent ? EnumChildWindows(parent, proc, param) : EnumWindows(proc, param);
}
}  // namespace

HWND Launcher::WaitWindow(const char* className, int timeoutMs, const std::string& caption) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            EachWindow(nullptr, [&](HWND window) {
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid == pi_.dwProcessId && IsWindowVisible(window) &&
                    (!className || ClassOf(window) == className) &&
                    (caption.empty() || WindowText(window) == caption))
                    found = window;
                return found != nullptr;
            });
            return found || !Running();
        },
        timeoutMs);
    return found;
}

bool Launcher::WaitExit(int timeoutMs, DWORD* exitCode) const {
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

bool Launcher::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string WindowText(HWND window) {
    char buffer[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return buffer;
}

std::string ClassOf(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof(buffer));
    return buffer;
}

std::vector<HWND> Children(HWND parent, const char* className) {
    std::vector<HWND> found;
    EachWindow(parent, [&](HWND window) {
        if (!className || lstrcmpiA(ClassOf(window).c_str(), className) == 0)
            found.push_back(window);
        return false;
    });
    return found;
}

HWND FindChild(HWND parent, const char* className, const std::string& text) {
    for (HWND child : Children(parent, className))
        if (text.empty() || WindowText(child) == text) return child;
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 50, Sleep(50))
        if (done()) return true;
    return done();
}

void* Lend(HANDLE process, const std::string& bytes) {
    void* at = VirtualAllocEx(process, nullptr, bytes.size(), MEM_COMMIT, PAGE_READWRITE);
    if (at) WriteProcessMemory(process, at, bytes.data(), bytes.size(), nullptr);
    return at;
}

namespace {
// Sends a message whose argument points at `bytes` copied into the other process, and
// reads them back as it left them.
std::string Ask(HWND window, HANDLE process, UINT message, WPARAM w, std::string bytes) {
    void* at = Lend(process, bytes);
    if (!at || !SendMessageA(window, message, w, reinterpret_cast<LPARAM>(at))) bytes.clear();
    if (at) ReadProcessMemory(process, at, bytes.data(), bytes.size(), nullptr);
    if (at) VirtualFreeEx(process, at, 0, MEM_RELEASE);
    return bytes;
}

HTREEITEM Next(HWND tree, UINT which, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

void Walk(HWND tree, HANDLE process, void* text, HTREEITEM item, const std::string& parent,
          std::vector<RemoteNode>& out) {
    for (; item; item = Next(tree, TVGN_NEXT, item)) {
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = static_cast<char*>(text);
        tv.cchTextMax = 511;
        Ask(tree, process, TVM_GETITEMA, 0, std::string(reinterpret_cast<char*>(&tv), sizeof(tv)));
        char name[512] = {};
        ReadProcessMemory(process, text, name, 511, nullptr);
        const std::string path = parent.empty() ? name : parent + "/" + name;
        out.push_back({path, item});
        Walk(tree, process, text, Next(tree, TVGN_CHILD, item), path, out);
    }
}
}  // namespace

std::vector<RemoteNode> ReadTree(HWND tree, HANDLE process) {
    std::vector<RemoteNode> nodes;
    void* text = Lend(process, std::string(512, '\0'));
    if (text) Walk(tree, process, text, Next(tree, TVGN_ROOT, nullptr), "", nodes);
    if (text) VirtualFreeEx(process, text, 0, MEM_RELEASE);
    return nodes;
}

bool ItemRect(HWND tree, HANDLE process, HTREEITEM item, RECT& rect) {
    // The message takes the item in the rectangle it fills.
    std::string bytes(sizeof(RECT), '\0');
    std::memcpy(bytes.data(), &item, sizeof(item));
    bytes = Ask(tree, process, TVM_GETITEMRECT, TRUE, bytes);
    if (bytes.empty()) return false;
    std::memcpy(&rect, bytes.data(), sizeof(rect));
    return true;
}

}  // namespace e2e
