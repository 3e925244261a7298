// The main window's commands on the real quopa.exe, driven with the messages a user's
// mouse and keyboard send.
#include "tests/e2e/user_actions.h"

namespace e2e {
namespace {

class CommandsE2E : public DrivenLauncher {
  protected:
    void SetUp() override {
        DrivenLauncher::SetUp();
        WriteFile(DataFile("quopa_apps.dat"),
                  "[Category1]\r\nName=Tools\r\n"
                  "[Application1]\r\nName=Notepad\r\nDescription=Edits text\r\n"
                  "Path=http://localhost/a\r\nCategory=Tools\r\nType=1\r\n"
                  "[Application2]\r\nName=Notes\r\nPath=http://localhost/b\r\nCategory=Tools\r\n"
                  "Type=1\r\n"
                  "[Application3]\r\nName=Chess\r\nPath=http://localhost/c\r\nCategory=Tools\r\n"
                  "Type=1\r\n");
        Start(5);
        ASSERT_EQ(Nodes().size(), 5u);
    }
    std::string Label(const std::string& text) const {
        return FindChild(main_, "Static", text) ? text : "(no label " + text + ")";
    }
    HWND WaitQuestion() const { return launcher_->WaitWindow("#32770", 10000); }
};

TEST_F(CommandsE2E, ClickShowsTheItemAndDeleteAsksThenRemovesIt) {
    ClickItem("Notepad");
    EXPECT_EQ(Label("Notepad"), "Notepad");
    EXPECT_EQ(Label("Edits text"), "Edits text");
    EXPECT_TRUE(IsWindowEnabled(FindChild(main_, "Button", "&Run")));

    PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
    HWND question = WaitQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_NE(FindChild(question, "Static", "Are you sure you want to delete Notepad?"), nullptr);
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    for (int i = 0; i < 50 && Item("Notepad"); ++i) Sleep(100);
    EXPECT_EQ(Item("Notepad"), nullptr);
    EXPECT_NE(Apps().find("[Application1]\r\nName=\r\n"), std::string::npos);
}

TEST_F(CommandsE2E, TypingIntoTheSearchBoxNarrowsTheTreeAndLeavingItEmptyRestoresIt) {
    HWND search = FindChild(main_, "Edit");
    ASSERT_NE(search, nullptr);
    PostMessageA(search, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(search, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Settle();
    EXPECT_EQ(WindowText(search), "");
    for (char c : std::string("no")) PostMessageA(search, WM_CHAR, c, 1);
    Settle();
    EXPECT_EQ(Nodes().size(), 4u) << "Quopa Drive, Tools, Notepad, Notes";
    for (char c : std::string("tep")) PostMessageA(search, WM_CHAR, c, 1);
    Settle();
    EXPECT_EQ(Nodes().size(), 3u) << "Quopa Drive, Tools, Notepad";

    SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ClickItem("Tools");  // the box loses the focus, empty
    EXPECT_EQ(WindowText(search), "Search...");
    EXPECT_EQ(Nodes().size(), 5u);
}

TEST_F(CommandsE2E, RenameThroughTheTreesLabelEditIsStored) {
    ASSERT_TRUE(Renamed("Chess", "Checkers"));
    EXPECT_NE(Item("Checkers"), nullptr);
    EXPECT_NE(Apps().find("Name=Checkers"), std::string::npos);
}

}  // namespace
}  // namespace e2e
