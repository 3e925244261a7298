#pragma once
// The real windows: each peer creates one system window (common controls included) and
// turns its notifications into the control object's events.
#include <windows.h>

#include <deque>
#include <optional>
#include <unordered_map>

#include "ui/backend.h"
#include "ui/win32/drop_target.h"
#include "ui/win32/handles.h"
#include "ui/win32/scale.h"

namespace ui {

namespace win32 {
class Win32TimerPeer;
}

class Win32Backend : public Backend {
  public:
    Win32Backend();
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    std::unique_ptr<FormPeer> CreateForm(Form& form, const FormArgs& args) override;
    std::unique_ptr<ControlPeer> CreateLabel(Label& label, Container& parent,
                                             const ControlArgs& args) override;
    std::unique_ptr<ControlPeer> CreateButton(Button& button, Container& parent,
                                              const ControlArgs& args) override;
    std::unique_ptr<ControlPeer> CreateFrame(Frame& frame, Container& parent,
                                             const ControlArgs& args) override;
    std::unique_ptr<TextBoxPeer> CreateTextBox(TextBox& box, Container& parent,
                                               const ControlArgs& args) override;
    std::unique_ptr<ProgressPeer> CreateProgressBar(ProgressBar& bar, Container& parent,
                                                    const ControlArgs& args) override;
    std::unique_ptr<PicturePeer> CreatePictureBox(PictureBox& box, Container& parent,
                                                  const ControlArgs& args) override;
    std::unique_ptr<TreeViewPeer> CreateTreeView(TreeView& tree, Container& parent,
                                                 const ControlArgs& args) override;
    std::unique_ptr<ImageListPeer> CreateImageList(Container& owner) override;
    std::unique_ptr<TimerPeer> CreateTimer(Timer& timer, Container& parent) override;
    std::unique_ptr<CheckPeer> CreateCheckBox(CheckBox&, Container&, const Args&) override;
    std::unique_ptr<CheckPeer> CreateOptionButton(OptionButton&, Container&, const Args&) override;
    std::unique_ptr<ComboBoxPeer> CreateComboBox(ComboBox&, Container&, const Args&) override;
    std::unique_ptr<ControlPeer> CreatePageControl(PageControl&, Container&, const Args&) override;
    std::unique_ptr<ControlPeer> CreatePage(Page&, PageControl&, const Args&) override;
    std::unique_ptr<ControlPeer> CreateLine(Line&, Container&, const Args&) override;
    std::unique_ptr<HotkeyPeer> CreateHotkeyBox(HotkeyBox&, Container&, const Args&) override;
    std::unique_ptr<ListViewPeer> CreateListView(ListView&, Container&, const Args&) override;
    // Ends when the last form window is destroyed or WM_QUIT arrives.
    int Run() override;
    void DoEvents() override;
    void Repaint() override;
    void RunModal(Form& form, Form& owner) override;
    void Post(std::function<void()> task) override;

    // For peers.
    HINSTANCE Instance() const { return instance_; }
    const win32::Scale& GetScale() const { return scale_; }
    HFONT DefaultFont() const { return defaultFont_; }
    // A font of its own for a control that asks for bold or a point size; null otherwise.
    win32::FontHandle MakeFont(const Font& font) const;
    int NextControlId() { return nextControlId_++; }
    UINT_PTR AddTimer(win32::Win32TimerPeer& timer);
    void RemoveTimer(UINT_PTR id);
    bool FireTimer(UINT_PTR id);  // false when the id is none of ours
    void FormCreated() { ++forms_; }
    void FormDestroyed();
    // While a form's window dies, its controls' last notifications (a lost focus, say)
    // reach no event: the objects behind them may be half destroyed.
    void BeginTeardown() { ++teardown_; }
    void EndTeardown() { --teardown_; }
    bool TearingDown() const { return teardown_ > 0; }
    // OLE costs a start-up tens of milliseconds: it begins when a window first needs it.
    void StartOle() {
        if (!ole_) ole_.emplace();
    }

  private:
    void Dispatch(MSG& msg);
    static LRESULT CALLBACK TaskProcedure(HWND, UINT, WPARAM, LPARAM);
    void RunPosted();

    // First in, last out: the windows' drop targets live inside it.
    std::optional<win32::OleSession> ole_;
    HINSTANCE instance_;
    win32::Scale scale_;
    HFONT defaultFont_;  // a stock object: never deleted
    int nextControlId_ = 100;
    UINT_PTR nextTimerId_ = 1;
    std::unordered_map<UINT_PTR, win32::Win32TimerPeer*> timers_;  // not owned
    int forms_ = 0;
    bool running_ = false;
    int teardown_ = 0;
    // Posted tasks go through a window of their own: a thread message would be lost in
    // the modal loops of message boxes and menus.
    win32::WindowHandle taskWindow_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace ui
