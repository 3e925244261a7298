#pragma once
// Creates the peers of one backend: real windows (win32) or nothing at all (headless).
#include <functional>
#include <memory>

#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/hotkey_box.h"
#include "ui/image_list.h"
#include "ui/line.h"
#include "ui/list_view.h"
#include "ui/option_button.h"
#include "ui/page_control.h"
#include "ui/text_box.h"
#include "ui/timer.h"
#include "ui/tree_view.h"

namespace ui {

class Backend {
  public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<FormPeer> CreateForm(Form& form, const FormArgs& args) = 0;
    virtual std::unique_ptr<ControlPeer> CreateLabel(Label& label, Container& parent,
                                                     const ControlArgs& args) = 0;
    virtual std::unique_ptr<ControlPeer> CreateButton(Button& button, Container& parent,
                                                      const ControlArgs& args) = 0;
    virtual std::unique_ptr<ControlPeer> CreateFrame(Frame& frame, Container& parent,
                                                     const ControlArgs& args) = 0;
    virtual std::unique_ptr<TextBoxPeer> CreateTextBox(TextBox& box, Container& parent,
                                                       const ControlArgs& args) = 0;
    virtual std::unique_ptr<ProgressPeer> CreateProgressBar(ProgressBar& bar, Container& parent,
                                                            const ControlArgs& args) = 0;
    virtual std::unique_ptr<PicturePeer> CreatePictureBox(PictureBox& box, Container& parent,
                                                          const ControlArgs& args) = 0;
    virtual std::unique_ptr<TreeViewPeer> CreateTreeView(TreeView& tree, Container& parent,
                                                         const ControlArgs& args) = 0;
    virtual std::unique_ptr<ImageListPeer> CreateImageList(Container& owner) = 0;
    virtual std::unique_ptr<TimerPeer> CreateTimer(Timer& timer, Container& parent) = 0;
    using Args = ControlArgs;
    virtual std::unique_ptr<CheckPeer> CreateCheckBox(CheckBox&, Container&, const Args&) = 0;
    virtual std::unique_ptr<CheckPeer> CreateOptionButton(OptionButton&, Container&,
                                                          const Args&) = 0;
    virtual std::unique_ptr<ComboBoxPeer> CreateComboBox(ComboBox&, Container&, const Args&) = 0;
    virtual std::unique_ptr<ControlPeer> CreatePageControl(PageControl&, Container&,
                                                           const Args&) = 0;
    virtual std::unique_ptr<ControlPeer> CreatePage(Page&, PageControl&, const Args&) = 0;
    virtual std::unique_ptr<ControlPeer> CreateLine(Line&, Container&, const Args&) = 0;
    // The headless backend keeps no peer: the object holds the combination.
    virtual std::unique_ptr<HotkeyPeer> CreateHotkeyBox(HotkeyBox&, Container&, const Args&) {
        return nullptr;
    }
    virtual std::unique_ptr<ListViewPeer> CreateListView(ListView&, Container&, const Args&) {
        return nullptr;
    }
    // Runs the message loop until the process ends.
    virtual int Run() = 0;
    // Handles the window messages waiting now, then returns.
    virtual void DoEvents() {}
    // Lets the windows repaint, and nothing else: the user's commands wait. For long work
    // that must not run a command inside itself (a tree load: a category added meanwhile
    // would be built against a tree the load is still making).
    virtual void Repaint() {}
    // Runs the message loop until `form` unloads; `owner` is disabled meanwhile (by Form).
    virtual void RunModal(Form& form, Form& owner) = 0;
    // Runs `task` later, from the message loop: the way out of a handler whose object the
    // task destroys.
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace ui
