// The search box: a filter that only narrows while typing; the whole tree comes back when
// the box is left empty.
#include "app/frmMain.h"
#include "platform/text.h"

namespace quopa {

namespace {
constexpr char kPlaceholder[] = "Search...";
constexpr ui::Color kGreyText = ui::Color::Rgb(0x80, 0x80, 0x80);
constexpr ui::Color kTypingText = ui::Color::System(ui::SystemColor::ButtonText);
}  // namespace

void frmMain::txtSearch_Change() {
    const std::string wanted = platform::AsciiLower(txtSearch.Text());
    TreeView1.BeginUpdate();
    for (int n = 0; n < state_.NextItemIndex; ++n) {
        const std::string key = "application" + std::to_string(n);
        const ui::TreeNode* node = TreeView1.Find(key);
        if (!node || platform::AsciiLower(node->Text()).find(wanted) != std::string::npos) continue;
        TreeView1.Remove(key);
        ilIcons.Remove("Application" + std::to_string(n));
    }
    found_->Filter(wanted);
    TreeView1.EndUpdate();
}

void frmMain::txtSearch_GotFocus() {
    txtSearch.SetText("");
    txtSearch.SetForeColor(kTypingText);
}

void frmMain::txtSearch_LostFocus() {
    if (!txtSearch.Text().empty()) return;
    txtSearch.SetText(kPlaceholder);
    txtSearch.SetForeColor(kGreyText);
    loader_->LoadApps();
}

}  // namespace quopa
