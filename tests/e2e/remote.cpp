#include "tests/e2e/remote.h"

#include <commctrl.h>

#include <cstdio>
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

std::string TempFolder(const std::string& prefix) {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    for (int i = 0;; ++i) {
        std::string folder = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(i);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    }
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool FileThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Launcher::~Launcher() {
    if (pi_.hProcess) {
        if (Running()) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool Launcher::Start(const std::string& exe, const std::string& folder) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string line = "\"" + exe + "\"";
    return CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &pi_) != FALSE;
}

namespace {
struct FindArgs {
    DWORD pid;
    const char* className;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
    auto* args = reinterpret_cast<FindArgs*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == args->pid && IsWindowVisible(window) &&
        (!args->className || ClassOf(window) == args->className) &&
        (args->caption->empty() || WindowText(window) == *args->caption)) {
        args->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND Launcher::WaitWindow(const char* className, int timeoutMs, const std::string& caption) const {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        FindArgs args{pi_.dwProcessId, className, &caption, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&args));
        if (args.found) return args.found;
        if (!Running()) return nullptr;
        Sleep(100);
    }
    return nullptr;
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

namespace {
struct ChildArgs {
    const char* className;
    const std::string* text;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND window, LPARAM param) {
    auto* args = reinterpret_cast<ChildArgs*>(param);
    if (lstrcmpiA(ClassOf(window).c_str(), args->className) == 0 &&
        (args->text->empty() || WindowText(window) == *args->text)) {
        args->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindChild(HWND parent, const char* className, const std::string& text) {
    ChildArgs args{className, &text, nullptr};
    EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

namespace {
struct ChildrenArgs {
    const char* className;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    auto* args = reinterpret_cast<ChildrenArgs*>(param);
    if (lstrcmpiA(ClassOf(window).c_str(), args->className) == 0) args->found->push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> Children(HWND parent, const char* className) {
    std::vector<HWND> found;
    ChildrenArgs args{className, &found};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&args));
    return found;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

bool WaitGone(HWND window, int timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

void Type(HWND edit, const std::string& text) {
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Retype(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    Type(edit, text);
}

bool Pick(HWND list, const std::string& entry) {
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 1);
    const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && WindowText(list) != entry; ++i)
        SendMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
    return WindowText(list) == entry;
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

namespace {
// A block of memory in the other process, for messages that carry pointers.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    char* address() const { return static_cast<char*>(address_); }

  private:
    HANDLE process_;
    void* address_;
};

std::string ItemText(HANDLE process, HWND tree, HTREEITEM item, int* image) {
    RemoteBuffer remote(process, sizeof(TVITEMA) + 512);
    if (!remote.address()) return {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = remote.address() + sizeof(TVITEMA);
    tv.cchTextMax = 511;
    WriteProcessMemory(process, remote.address(), &tv, sizeof(tv), nullptr);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.address()));
    char text[512] = {};
    ReadProcessMemory(process, remote.address(), &tv, sizeof(tv), nullptr);
    ReadProcessMemory(process, remote.address() + sizeof(TVITEMA), text, 511, nullptr);
    if (image) *image = tv.iImage;
    return text;
}

void Walk(HANDLE process, HWND tree, HTREEITEM item, const std::string& parent,
          std::vector<RemoteNode>& out) {
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                 reinterpret_cast<LPARAM>(item)))) {
        RemoteNode node;
        node.text = ItemText(process, tree, item, &node.image);
        node.parentText = parent;
        node.item = item;
        out.push_back(node);
        auto child = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        Walk(process, tree, child, node.text, out);
    }
}
}  // namespace

std::vector<RemoteNode> ReadTree(HWND tree, DWORD pid) {
    std::vector<RemoteNode> nodes;
    HANDLE process = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (!process) return nodes;
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    Walk(process, tree, root, "", nodes);
    CloseHandle(process);
    return nodes;
}

bool ItemRect(HWND tree, DWORD pid, HTREEITEM item, RECT& rect) {
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    bool ok = false;
    {
        RemoteBuffer remote(process, sizeof(RECT));
        // The message takes the item in the rectangle it fills.
        ok =
            remote.address() &&
            WriteProcessMemory(process, remote.address(), &item, sizeof(item), nullptr) &&
            SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.address())) &&
            ReadProcessMemory(process, remote.address(), &rect, sizeof(rect), nullptr);
    }
    CloseHandle(process);
    return ok;
}

}  // namespace e2e
