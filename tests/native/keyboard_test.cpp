// The launcher from the keyboard: the hot key, its setting, and the search box's keys.
#include "settings/frmOptions.h"
#include "settings/hotkey_setting.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

constexpr int kEnter = 0x0D, kEscape = 0x1B, kUp = 0x26, kDown = 0x28;

class KeyboardTest : public CommandsTest {
  protected:
    bool Press(int key) { return w_->txtSearch.UserPressedKey(key); }
    std::string Selected() const {
        const ui::TreeNode* node = w_->TreeView1.SelectedItem();
        return node ? node->Key() : "";
    }
    void HideToTray() { w_->form.SetWindowState(ui::WindowState::Minimized); }
};

TEST(HotkeySetting, CombinationsReadAndWriteAsWords) {
    using platform::KeyCombo;
    const unsigned ctrl = platform::kModControl, ctrlShift = ctrl | platform::kModShift;
    EXPECT_EQ(ParseKeyCombo("Ctrl+Shift+Space"), (KeyCombo{ctrlShift, 0x20}));
    EXPECT_EQ(ParseKeyCombo(" shift + ctrl + f12 "), (KeyCombo{ctrlShift, 0x7B}));
    EXPECT_EQ(ParseKeyCombo("Alt+Win+Q"), (KeyCombo{platform::kModAlt | platform::kModWin, 'Q'}));
    EXPECT_EQ(ParseKeyCombo("Ctrl+Num7"), (KeyCombo{ctrl, 0x67}));
    EXPECT_EQ(ParseKeyCombo("Ctrl+Key192"), (KeyCombo{ctrl, 192}));
    EXPECT_EQ(ParseKeyCombo("none"), KeyCombo{});
    for (const char* bad : {"Hyper+X", "Ctrl+", "Ctrl+F25"})
        EXPECT_EQ(ParseKeyCombo(bad), std::nullopt) << bad;
    for (const char* text : {"Ctrl+Shift+Space", "Alt+Win+Q", "Ctrl+Num7", "Ctrl+Key192"})
        EXPECT_EQ(FormatKeyCombo(*ParseKeyCombo(text)), text);
    EXPECT_EQ(FormatKeyCombo(KeyCombo{ctrlShift, 0x7B}), "Ctrl+Shift+F12");
    EXPECT_EQ(FormatKeyCombo(KeyCombo{}), "None");
}

TEST_F(KeyboardTest, TheHotKeyIsTheStoredOneElseTheDefaultOrToldTakenAndOptionsChangesIt) {
    EXPECT_EQ(services_.hotkey.held, DefaultHotkey());
    EXPECT_EQ(Get("quopa_settings.dat"), "") << "reading adds nothing";
    // One taken by another program is told once, and the launcher goes on.
    services_.hotkey.refuse = true;
    w_->ApplyHotkey();
    w_->ApplyHotkey();
    backend_.DoEvents();
    EXPECT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(LastMessage(),
              "The hot key Ctrl+Shift+Space is in use by another program, so it cannot bring "
              "Quopa up.\r\nYou can choose another one in Options.");
    EXPECT_TRUE(w_->form.Visible());
    services_.hotkey.refuse = false;

    frmOptions options(ctx_, [this] { w_->ApplyHotkey(); });
    options.Create();
    EXPECT_EQ(options.hkHotkey.Combo(), DefaultHotkey());
    options.cmdApply.SetEnabled(false);
    options.hkHotkey.UserSetCombo({platform::kModControl | platform::kModShift, 'L'});
    EXPECT_TRUE(options.cmdApply.Enabled());
    options.cmdApply.Click();
    EXPECT_NE(Get("quopa_settings.dat").find("HotKey=Ctrl+Shift+L"), std::string::npos);
    EXPECT_EQ(services_.hotkey.held.key, static_cast<unsigned>('L'));

    options.hkHotkey.UserSetCombo({});
    options.cmdApply.Click();
    EXPECT_NE(Get("quopa_settings.dat").find("HotKey=None"), std::string::npos);
    EXPECT_TRUE(services_.hotkey.held.Empty()) << "cleared: nothing held";
}

TEST_F(KeyboardTest, TheHotKeyBringsTheHiddenWindowUpWithTheWholeTreeAndEscHidesIt) {
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("chess");
    w_->txtSearch.RaiseLostFocus();
    HideToTray();
    ASSERT_FALSE(w_->form.Visible());

    services_.hotkey.Press();
    EXPECT_TRUE(w_->form.Visible());
    EXPECT_EQ(w_->form.State(), ui::WindowState::Normal);
    EXPECT_EQ(w_->txtSearch.Text(), "");
    EXPECT_TRUE(w_->TreeView1.Find("application1")) << "the filter was undone";
    EXPECT_TRUE(Press(kEscape));
    EXPECT_FALSE(w_->form.Visible());

    w_->mnuPopupShow_Click();
    EXPECT_FALSE(Press(kEscape)) << "shown from the tray: Esc is the box's";
    EXPECT_TRUE(w_->form.Visible());
}

TEST_F(KeyboardTest, UpAndDownWalkTheItemsLeftSkippingCategories) {
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("n");  // Notepad, Notes; Chess, Webmail, Music go
    EXPECT_TRUE(Press(kDown));
    const std::string first = Selected();
    EXPECT_TRUE(Press(kDown));
    const std::string second = Selected();
    EXPECT_NE(first, second);
    Press(kDown);
    EXPECT_EQ(Selected(), second) << "the last stays";
    Press(kUp);
    EXPECT_EQ(Selected(), first);
    EXPECT_EQ(w_->lblAppTitle.Text(), Node(first).Text()) << "the panel shows it";
    EXPECT_FALSE(Press('N')) << "typing stays the box's";
}

TEST_F(KeyboardTest, EnterRunsTheSelectedElseTheFirstItemAndHidesWhatWasHidden) {
    HideToTray();
    services_.hotkey.Press();
    w_->txtSearch.UserTyped("notepad");
    EXPECT_TRUE(Press(kEnter));
    ASSERT_EQ(shell_.executed.size(), 1u);
    EXPECT_EQ(shell_.executed[0].file, "E:\\np.exe");
    EXPECT_FALSE(w_->form.Visible()) << "back where it was";

    w_->mnuPopupShow_Click();
    services_.hotkey.Press();  // over a window that is up
    Click("application2");
    Press(kEnter);
    ASSERT_EQ(shell_.executed.size(), 2u);
    EXPECT_EQ(shell_.executed[1].file, "E:\\chess.exe");
    EXPECT_TRUE(w_->form.Visible()) << "it was up: it stays up";
}

}  // namespace
}  // namespace quopa::testing
