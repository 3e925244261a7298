#include "ui/headless/headless_backend.h"

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

std::unique_ptr<TreeViewPeer> HeadlessBackend::CreateTreeView(TreeView&, Container&,
                                                              const ControlArgs&) {
    return nullptr;
}

}  // namespace ui
