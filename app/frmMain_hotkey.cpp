// The hot key: from anywhere, the quick-launch box comes up in front, or goes again.
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
    if (!form.Enabled()) {
        // A dialog of ours is up: it stays in charge, and the tree under it stays as it is.
        form.SetWindowState(ui::WindowState::Normal);
        form.Show();
        return;
    }
    quick_->Toggle();
    if (hotkey_.modifiers & platform::kModAlt) quick_->form.IgnoreAltRelease();
}

}  // namespace quopa
