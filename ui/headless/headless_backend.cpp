#include "ui/headless/headless_backend.h"

#include "ui/headless/headless_tree_view.h"

namespace ui {

std::unique_ptr<ControlPeer> HeadlessBackend::CreateLabel(Label&, Container&, const ControlArgs&) {
    return nullptr;
}

std::unique_ptr<ControlPeer> HeadlessBackend::CreateButton(Button&, Container&,
                                                           const ControlArgs&) {
    return nullptr;
}

std::unique_ptr<ControlPeer> HeadlessBackend::CreateFrame(Frame&, Container&, const ControlArgs&) {
    return nullptr;
}

std::unique_ptr<TextBoxPeer> HeadlessBackend::CreateTextBox(TextBox&, Container&,
                                                            const ControlArgs&) {
    return nullptr;
}

std::unique_ptr<ProgressPeer> HeadlessBackend::CreateProgressBar(ProgressBar&, Container&,
                                                                 const ControlArgs&) {
    return nullptr;
}

std::unique_ptr<PicturePeer> HeadlessBackend::CreatePictureBox(PictureBox&, Container&,
                                                               const ControlArgs&) {
    return nullptr;
}

std::unique_ptr<TreeViewPeer> HeadlessBackend::CreateTreeView(TreeView& tree, Container&,
                                                              const ControlArgs&) {
    return std::make_unique<HeadlessTreeViewPeer>(tree);
}

}  // namespace ui
