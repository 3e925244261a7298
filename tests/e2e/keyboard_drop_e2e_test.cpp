// The launcher brought up by its hot key and driven from the keyboard, and a file let go
// on its tree, on the real quopa.exe.
#include <shlobj.h>

#include <cstring>
#include <iterator>

#include "tests/e2e/launcher_fixture.h"

namespace e2e {
namespace {

std::string MarkerApps(const std::string& folder) {
    return "[Category1]\r\nName=Tools\r\n[Application1]\r\nName=Marker\r\nDescription=\r\n"
           "Path=C:\\windows\\system32\\cmd.exe\r\nCategory=Tools\r\nAutorun=0\r\nType=0\r\n"
           "Parameters=\"/c echo ran> marker.txt\"\r\nStartIn=" +
           folder + "\r\nWindowStyle=Minimized\r\n";
}

// Keys as the keyboard sends them, to whichever window has the focus.
void Keys(std::initializer_list<WORD> down, WORD key) {
    std::vector<INPUT> input;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = flags;
        input.push_back(i);
    };
    for (WORD vk : down) add(vk, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto it = std::rbegin(down); it != std::rend(down); ++it) add(*it, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Sleep(100);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

class KeyboardDropE2E : public TreeE2E {};

TEST_F(KeyboardDropE2E, TheHotKeyBringsTheHiddenLauncherUpReadyToTypeAndEnterRunsTheItem) {
    StartWith(MarkerApps(drive_.folder()), 3);
    HWND search = FindChild(main_, "Edit");
    ASSERT_NE(search, nullptr);
    SendMessageA(main_, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindowVisible(main_));

    Keys({VK_CONTROL, VK_SHIFT}, VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main_) == search; }, 5000))
        << "the search box has no focus";
    EXPECT_EQ(WindowText(search), "");

    for (char c : std::string("MARK")) Keys({}, static_cast<WORD>(c));
    EXPECT_EQ(WindowText(search), "mark");
    Keys({}, VK_RETURN);
    const std::string marker = drive_.folder() + "\\marker.txt";
    EXPECT_TRUE(WaitUntil([&] { return FileThere(marker); }, 10000)) << "Enter ran nothing";
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 5000))
        << "the launcher stayed up after a run from the hidden state";
}

TEST_F(KeyboardDropE2E, AFileLetGoOnACategoryOpensTheWizardFilledIn) {
    StartWith("[Category1]\r\nName=Tools\r\n", 2);
    const std::string file = drive_.folder() + "\\Notes.txt";
    WriteFile(file, "notes");
    RECT row = {};
    ASSERT_TRUE(ItemRect(tree_, launcher_.Pid(), Item("Tools"), row));

    // What the shell hands a window that accepts files: a DROPFILES block in its own memory.
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.pt = {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    std::memcpy(block.data(), &header, sizeof(header));
    block += file + std::string(2, '\0');
    void* remote =
        VirtualAllocEx(launcher_.Process(), nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(
        WriteProcessMemory(launcher_.Process(), remote, block.data(), block.size(), nullptr));
    PostMessageA(tree_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);

    HWND wizard = launcher_.WaitWindow("QuopaForm", 10000, "Add new item");
    ASSERT_NE(wizard, nullptr) << "no wizard for the drop";
    const std::vector<HWND> boxes = Children(wizard, "Edit");
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(WindowText(boxes[0]), "Notes");
    EXPECT_EQ(WindowText(boxes[2]), "%drive%" + file.substr(2));
    EXPECT_EQ(WindowText(FindChild(wizard, "ComboBox")), "Tools");
    Click(FindChild(wizard, "Button", "&Finish"));
    EXPECT_TRUE(WaitGone(wizard));
    EXPECT_NE(AppsFile().find("Name=Notes\r\n"), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return Item("Notes") != nullptr; }, 5000));
}

}  // namespace
}  // namespace e2e
