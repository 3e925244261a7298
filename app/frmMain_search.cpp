// The search box: a filter that only narrows while typing; the whole tree comes back when
// the box is left empty. Up, Down and Enter pick and run what is left without leaving it.
#include <algorithm>

#include "app/frmMain.h"
#include "platform/text.h"
#include "store/item_key.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {
constexpr char kPlaceholder[] = "Search...";
constexpr ui::Color kGreyText = ui::Color::Rgb(0x80, 0x80, 0x80);
constexpr ui::Color kTypingText = ui::Color::System(ui::SystemColor::ButtonText);
constexpr int kEnter = 0x0D, kUp = 0x26, kDown = 0x28;

// The nodes in the order the tree shows them, each category followed by its items.
void InShownOrder(const std::vector<ui::TreeNode*>& nodes, std::vector<ui::TreeNode*>& out) {
    for (ui::TreeNode* node : nodes) {
        out.push_back(node);
        InShownOrder(node->Children(), out);
    }
}
}  // namespace

void frmMain::txtSearch_Change() {
    platform::Desktop& letters = sys_.desktop;
    const std::string wanted = letters.LowerCase(txtSearch.Text());
    TreeView1.BeginUpdate();
    for (int n = 0; n < state_.NextItemIndex; ++n) {
        const std::string key = ItemKey(n);
        const ui::TreeNode* node = TreeView1.Find(key);
        if (!node || letters.LowerCase(node->Text()).find(wanted) != std::string::npos) continue;
        TreeView1.Remove(key);
        ilIcons.Remove(ItemSection(n));
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
    found_->Filter("");  // the hint is no search
    loader_->LoadApps();
}

void frmMain::txtSearch_KeyDown(ui::KeyEvent& e) {
    switch (e.keyCode) {
        case kUp:
        case kDown:
            if (ui::TreeNode* node = NeighbourItem(TreeView1.SelectedItem(), e.keyCode == kDown)) {
                TreeView1.Select(node);
                TreeView1_Click();  // the panel shows what Enter will run
            }
            break;
        case kEnter:
            RunFromKeyboard();
            break;
        default:
            return;
    }
    e.handled = true;
}

bool frmMain::IsRow(const ui::TreeNode& node) {
    return IsItemNode(node) || (IsFoundNode(node) && node.Parent());
}

ui::TreeNode* frmMain::SelectedRow() const {
    ui::TreeNode* node = TreeView1.SelectedItem();
    return node && IsRow(*node) ? node : nullptr;
}

ui::TreeNode* frmMain::NeighbourItem(const ui::TreeNode* from, bool down) const {
    std::vector<ui::TreeNode*> nodes;
    InShownOrder(TreeView1.Roots(), nodes);
    if (!down) std::reverse(nodes.begin(), nodes.end());
    auto at = std::find(nodes.begin(), nodes.end(), from);
    // From nowhere, Down starts at the top and Up at the bottom.
    auto it = at == nodes.end() ? nodes.begin() : std::next(at);
    it = std::find_if(it, nodes.end(), [](const ui::TreeNode* n) { return IsRow(*n); });
    return it == nodes.end() ? nullptr : *it;
}

void frmMain::RunFromKeyboard() {
    ui::TreeNode* node = SelectedRow();
    if (!node) node = NeighbourItem(nullptr, true);
    if (!node) return;
    // Selected first: what starts is what the panel shows, by the Run button's own path.
    TreeView1.Select(node);
    cmdRun_Click();
}

}  // namespace quopa
