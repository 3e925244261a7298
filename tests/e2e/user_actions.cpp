#include "tests/e2e/user_actions.h"

namespace e2e {

ScreenDpi::ScreenDpi(DWORD dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr) != ERROR_SUCCESS)
        return;
    DWORD size = sizeof(old_);
    had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof(dpi));
}

ScreenDpi::~ScreenDpi() {
    if (!key_) return;
    if (had_) {
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                       sizeof(old_));
    } else {
        RegDeleteValueA(key_, "LogPixels");
    }
    RegCloseKey(key_);
}

void SetText(HWND box, const std::string& text) {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Press(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Pick(HWND list, int index) {
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 1);
    for (int i = 0; i < index; ++i) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
}

std::string MessageText(HWND box) {
    // A message box's text is the static with this id.
    return WindowText(GetDlgItem(box, 0xFFFF));
}

void DrivenLauncher::Start(std::size_t nodes) {
    launcher_ = std::make_unique<Launcher>();
    main_ = StartMain(*launcher_);
    ASSERT_NE(main_, nullptr);
    tree_ = FindChild(main_, WC_TREEVIEWA);
    ASSERT_NE(tree_, nullptr);
    // The window shows before the tree is built, last of the start-up.
    auto count = [&] { return static_cast<std::size_t>(SendMessageA(tree_, TVM_GETCOUNT, 0, 0)); };
    ASSERT_TRUE(WaitFor([&] { return count() >= nodes; }, 60000)) << count() << " nodes";
}

std::vector<std::string> DrivenLauncher::NodeTexts() const {
    std::vector<std::string> texts;
    for (const RemoteNode& node : Nodes())
        texts.push_back(node.parentText.empty() ? node.text : node.parentText + "/" + node.text);
    return texts;
}

HTREEITEM DrivenLauncher::Item(const std::string& text) const {
    for (const RemoteNode& node : Nodes())
        if (node.text == text) return node.item;
    return nullptr;
}

void DrivenLauncher::ClickItem(const std::string& text) {
    RECT r = {};
    ASSERT_TRUE(ItemRect(tree_, launcher_->Pid(), Item(text), r)) << text;
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tree_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree_, WM_LBUTTONUP, 0, at);
    Settle();
}

void DrivenLauncher::Settle() const {
    DWORD_PTR ignored;
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    Sleep(200);
}

HWND DrivenLauncher::WaitDialog(const std::string& caption, int timeoutMs) const {
    return launcher_->WaitWindow(nullptr, timeoutMs, caption);
}

std::string DrivenLauncher::Answer(int id) {
    HWND box = launcher_->WaitWindow("#32770", 10000);
    if (!box) return "(no message box)";
    const std::string text = MessageText(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    Gone(box);
    return text;
}

// An in-place rename through the tree's label edit, as F2 and typing do.
bool DrivenLauncher::Renamed(const std::string& from, const std::string& to) {
    SetForegroundWindow(main_);
    HWND edit = reinterpret_cast<HWND>(
        SendMessageA(tree_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Item(from))));
    if (!edit) return false;
    SetText(edit, to);
    // Posted: a refused rename answers with a message box before the message returns.
    PostMessageA(tree_, TVM_ENDEDITLABELNOW, FALSE, 0);
    Settle();
    return true;
}

}  // namespace e2e
