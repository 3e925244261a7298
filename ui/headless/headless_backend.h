#pragma once
// No windows at all: the control objects keep every property themselves, and tests play
// the user through the objects' User* and Raise* calls.
#include "ui/backend.h"

namespace ui {

class HeadlessBackend : public Backend {
  public:
    std::unique_ptr<FormPeer> CreateForm(Form&, const FormArgs&) override { return nullptr; }
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
};

}  // namespace ui
