#include "ui/headless/headless_backend.h"

#include "ui/headless/headless_tree_view.h"

namespace ui {

namespace {
// Records what a user would see of a form; its state is the object's own.
class HeadlessFormPeer : public FormPeer {
  public:
    HeadlessFormPeer(Form& form, platform::EventLog* log) : form_(form), log_(log) {}
    void SetVisible(bool on) override {
        platform::Record(log_, (on ? "show " : "hide ") + form_.Text());
    }
    void SetBounds(const Bounds& b) override {
        platform::Record(log_, "place " + std::to_string(b.left) + "," + std::to_string(b.top));
    }
    void ApplyState(WindowState) override {}
    void SetMenuBar(MenuItem*) override {}
    void PopupMenu(MenuItem&) override {}
    void SetClientSize(int, int) override {}
    void SetOwner(platform::WindowId) override {}
    void KeepOnScreen() override {}
    void Destroy() override {}

  private:
    Form& form_;
    platform::EventLog* log_;
};
}  // namespace

std::unique_ptr<FormPeer> HeadlessBackend::CreateForm(Form& form, const FormArgs&) {
    return std::make_unique<HeadlessFormPeer>(form, log);
}

void HeadlessBackend::DoEvents() {
    while (!posted.empty()) {
        auto task = std::move(posted.front());
        posted.pop_front();
        task();
    }
}

void HeadlessBackend::RunModal(Form& form, Form&) {
    modalForms.push_back(form.Text());
    if (!modalActions.empty()) {
        auto play = std::move(modalActions.front());
        modalActions.pop_front();
        play(form);
    }
    form.Unload();
}

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
