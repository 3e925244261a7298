// The hot key: from anywhere, the launcher comes up in front with the whole tree and the
// search box ready to type in.
#include "app/frmMain.h"
#include "settings/hotkey_setting.h"

namespace quopa {

void frmMain::ApplyHotkey() {
    const platform::KeyCombo combo = StoredHotkey(ini_, settingsFile_);
    hotkey_ = combo;
    if (sys_.hotkey.Register(combo, [this] { Hotkey_Pressed(); })) return;
    const std::string name = FormatKeyCombo(combo);
    if (name == refusedHotkey_) return;  // told already
    refusedHotkey_ = name;
    // After start-up has finished: the launcher works as well without it.
    backend_.Post([this, name] {
        sys_.desktop.MsgBox(form.Handle(),
                            "The hot key " + name +
                                " is in use by another program, so it cannot bring Quopa "
                                "up.\r\nYou can choose another one in Options.",
                            kAppTitle, platform::kMbIconExclamation | platform::kMbOk);
    });
}

void frmMain::Hotkey_Pressed() {
    const bool hidden = !form.Visible() || form.State() == ui::WindowState::Minimized;
    if (!form.Enabled()) {
        // A dialog of ours is up: it stays in charge, and the tree under it stays as it is.
        form.SetWindowState(ui::WindowState::Normal);
        form.Show();
        return;
    }
    // The whole tree, as leaving the search box empty brings it back, and no old pick: Enter
    // starts the first row left.
    txtSearch.SetText("");
    loader_->LoadApps();
    TreeView1.Select(nullptr);
    form.SetWindowState(ui::WindowState::Normal);
    form.Show();
    sys_.desktop.SetForeground(form.Handle());
    if (hotkey_.modifiers & platform::kModAlt) form.IgnoreAltRelease();
    txtSearch.SetFocus();
    txtSearch_GotFocus();  // also when the box had the focus already
    summoned_ = hidden ? Summoned::FromHidden : Summoned::FromBehind;
}

// Back to the tray, as closing the window does.
void frmMain::HideAgain() {
    summoned_ = Summoned::No;
    form.SetWindowState(ui::WindowState::Minimized);
}

}  // namespace quopa
