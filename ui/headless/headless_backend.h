#pragma once
// No windows at all: the control objects keep every property themselves, and tests play
// the user through the objects' User* and Raise* calls.
#include <deque>
#include <string>
#include <vector>

#include "platform/headless/event_log.h"
#include "ui/backend.h"

namespace ui {

class HeadlessBackend : public Backend {
  public:
    std::unique_ptr<FormPeer> CreateForm(Form& form, const FormArgs&) override;
    std::unique_ptr<ControlPeer> CreateLabel(Label&, Container&, const ControlArgs&) override;
    std::unique_ptr<ControlPeer> CreateButton(Button&, Container&, const ControlArgs&) override;
    std::unique_ptr<ControlPeer> CreateFrame(Frame&, Container&, const ControlArgs&) override;
    std::unique_ptr<TextBoxPeer> CreateTextBox(TextBox&, Container&, const ControlArgs&) override;
    std::unique_ptr<ProgressPeer> CreateProgressBar(ProgressBar&, Container&,
                                                    const ControlArgs&) override;
    std::unique_ptr<PicturePeer> CreatePictureBox(PictureBox&, Container&,
                                                  const ControlArgs&) override;
    std::unique_ptr<TreeViewPeer> CreateTreeView(TreeView&, Container&,
                                                 const ControlArgs&) override;
    std::unique_ptr<ImageListPeer> CreateImageList(Container&) override { return nullptr; }
    std::unique_ptr<TimerPeer> CreateTimer(Timer&, Container&) override { return nullptr; }
    std::unique_ptr<CheckPeer> CreateCheckBox(CheckBox&, Container&, const Args&) override {
        return nullptr;
    }
    std::unique_ptr<CheckPeer> CreateOptionButton(OptionButton&, Container&, const Args&) override {
        return nullptr;
    }
    std::unique_ptr<ComboBoxPeer> CreateComboBox(ComboBox&, Container&, const Args&) override {
        return nullptr;
    }
    std::unique_ptr<ControlPeer> CreatePageControl(PageControl&, Container&, const Args&) override {
        return nullptr;
    }
    std::unique_ptr<ControlPeer> CreatePage(Page&, PageControl&, const Args&) override {
        return nullptr;
    }
    std::unique_ptr<ControlPeer> CreateLine(Line&, Container&, const Args&) override {
        return nullptr;
    }
    int Run() override { return 0; }
    // Runs the posted tasks, in order, including those they post.
    void DoEvents() override;
    // Plays the next of `modalActions` in the form as the user would; a form still loaded
    // afterwards is unloaded, as if the user had closed it.
    void RunModal(Form& form, Form& owner) override;
    void Post(std::function<void()> task) override { posted.push_back(std::move(task)); }

    // What the user does in the next modal forms, one entry a form, in order.
    std::deque<std::function<void(Form&)>> modalActions;
    // The caption of every form run modally, in order.
    std::vector<std::string> modalForms;
    std::deque<std::function<void()>> posted;
    // Where forms record being shown, hidden and moved (not owned; may be null).
    platform::EventLog* log = nullptr;
};

}  // namespace ui
