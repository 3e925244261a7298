// The launcher from the keyboard: the search box narrows the tree while typing and restores
// it when left empty; the hot key's setting.
#include "settings/frmOptions.h"
#include "settings/hotkey_setting.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class SearchTest : public CommandsTest {
  protected:
    Strings Texts() const {
        return Each(ui::DisplayedRows(w_->TreeView1), [](auto* node) { return node->Text(); });
    }
    void Type(const std::string& text) { w_->txtSearch.UserTyped(text); }
    void Load(const Strings& names) {
        std::string apps = "[Category1]\r\nName=Tools\r\n";
        for (std::size_t n = 0; n < names.size(); ++n)
            apps += App(int(n) + 1, names[n], "x", "Tools", 1);
        Put("quopa_apps.dat", apps);
        w_->IntList();
    }
};

// Leaving the box shows the grey hint again; an item named like it is an item like others.
TEST_F(SearchTest, TypingOnlyNarrowsAndLeavingTheBoxEmptyBringsEveryItemBackInOrder) {
    const Strings full = Texts();
    w_->txtSearch.RaiseGotFocus();
    Type("m");  // Webmail and Music; Notepad, Chess, Notes go
    EXPECT_TRUE(Shown("application3") && Shown("application6"));
    EXPECT_FALSE(Shown("application1") || Shown("application2") || Shown("application5"));
    Type("MU");
    EXPECT_FALSE(Shown("application3")) << "a description that matches does not count";
    Type("m");
    EXPECT_FALSE(Shown("application3")) << "deleting characters brings nothing back";
    EXPECT_TRUE(Shown("application6"));
    for (const char* category : {"Quopa", "Games", "Web apps", "Tools"})
        EXPECT_TRUE(Shown(category)) << category;
    Type("note");
    w_->txtSearch.RaiseLostFocus();
    EXPECT_EQ(w_->txtSearch.Text(), "note");
    w_->txtSearch.RaiseGotFocus();
    EXPECT_EQ(w_->txtSearch.Text(), "");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::System(ui::SystemColor::ButtonText));
    EXPECT_FALSE(Shown("application2")) << "focusing again does not restore";
    w_->txtSearch.RaiseLostFocus();
    EXPECT_EQ(w_->txtSearch.Text(), "Search...");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(Texts(), full);
    EXPECT_GE(w_->ilIcons.IndexOf("Application1"), 0) << "with their pictures";
    Load({"A", "my search...", "C"});
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.RaiseLostFocus();
    EXPECT_EQ(Texts(), (Strings{"Quopa Drive", "Tools", "A", "my search...", "C"}));
}

// The box shows, and takes back as typed, what the settings file holds, in its words.
TEST(HotkeyBox, EveryCombinationTheFileTakesShowsAndTypesBackInTheSameWords) {
    ui::HotkeyBox box;
    for (const char* text :
         {"Alt+Space", "Ctrl+Shift+Space", "Ctrl+Win+K", "Ctrl+Alt+Shift+Win+Pause", "Ctrl+Num7",
          "Shift+F12", "Delete", "Ctrl+Key255", "Ctrl+Key8", "Ctrl+Key9", "Shift+Key27"}) {
        const platform::KeyCombo combo = ParseKeyCombo(text).value();
        box.UserPressedKey(combo.key, combo.modifiers);
        EXPECT_TRUE(box.Combo() == combo && box.Text() == text) << text;
    }
    box.UserPressedKey(0x11, platform::kModControl);
    EXPECT_EQ(box.Text(), "Ctrl+...");
    box.UserReleasedKey(0);
    EXPECT_EQ(box.Text(), "Shift+Key27") << "let go without a key: nothing changed";
    for (unsigned key : {0x09u, 0x0Du, 0x1Bu}) EXPECT_FALSE(box.TakesKey(key, 0)) << "dialog's";
    EXPECT_EQ(ParseKeyCombo(" shift + ctrl + f12 "), ParseKeyCombo("Ctrl+Shift+F12"));
    for (const char* bad : {"Hyper+X", "Ctrl+", "Ctrl+F25", "Ctrl+Key256"})
        EXPECT_EQ(ParseKeyCombo(bad), std::nullopt) << bad;
}

TEST_F(SearchTest, TheHotKeyIsTheStoredOneElseTheDefaultOrToldTakenAndOptionsChangesIt) {
    EXPECT_EQ(services_.hotkey.held, DefaultHotkey());
    EXPECT_EQ(Get("quopa_settings.dat"), "") << "reading adds nothing";
    // One taken by another program is told once, and the launcher goes on.
    services_.hotkey.refuse = true;
    w_->ApplyHotkey();
    w_->ApplyHotkey();
    backend_.DoEvents();
    EXPECT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(LastMessage(),
              "The hot key Alt+Space is in use by another program, so it cannot bring "
              "Quopa up.\r\nYou can choose another one in Options.");
    EXPECT_TRUE(w_->form.Visible());
    services_.hotkey.refuse = false;

    frmOptions options(ctx_, [this] { w_->ApplyHotkey(); });
    options.Create();
    w_->form.SetWindowState(ui::WindowState::Minimized);
    options.hkHotkey.RaiseGotFocus();
    services_.hotkey.Press();
    EXPECT_FALSE(w_->Quick().form.Visible()) << "the box takes it as typed";
    options.hkHotkey.UserPressedKey(0xFF, platform::kModControl);
    options.hkHotkey.RaiseLostFocus();
    EXPECT_FALSE(services_.hotkey.suspended);
    options.cmdApply.Click();
    EXPECT_NE(Get("quopa_settings.dat").find("HotKey=Ctrl+Key255"), std::string::npos);
    EXPECT_EQ(services_.hotkey.held, (platform::KeyCombo{platform::kModControl, 0xFF}));

    options.hkHotkey.UserPressedKey(0x08, 0);
    options.cmdApply.Click();
    EXPECT_NE(Get("quopa_settings.dat").find("HotKey=None"), std::string::npos);
    EXPECT_TRUE(services_.hotkey.held.Empty()) << "None read back: nothing held";
}

}  // namespace
}  // namespace quopa::testing
