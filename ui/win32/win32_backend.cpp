#include "ui/win32/win32_backend.h"

#include "ui/win32/button_peer.h"
#include "ui/win32/check_box_peer.h"
#include "ui/win32/combo_box_peer.h"
#include "ui/win32/container_peer.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/frame_peer.h"
#include "ui/win32/hotkey_box_peer.h"
#include "ui/win32/image_list_peer.h"
#include "ui/win32/label_peer.h"
#include "ui/win32/line_peer.h"
#include "ui/win32/list_view_peer.h"
#include "ui/win32/option_button_peer.h"
#include "ui/win32/picture_peer.h"
#include "ui/win32/progress_peer.h"
#include "ui/win32/text_box_peer.h"
#include "ui/win32/timer_peer.h"
#include "ui/win32/trace.h"
#include "ui/win32/tree_view_peer.h"

namespace ui {

using namespace win32;

namespace {
constexpr wchar_t kTaskClass[] = L"QuopaTasks";
constexpr UINT kRunTask = WM_APP + 2;
}  // namespace

// The designs were laid out in twips for the 8-point dialog font; the stock GUI font is
// that font, so the texts fit the designed sizes.
Win32Backend::Win32Backend()
    : instance_(GetModuleHandleW(nullptr)),
      scale_(Scale::OfScreen()),
      defaultFont_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TaskProcedure;
    wc.hInstance = instance_;
    wc.lpszClassName = kTaskClass;
    RegisterClassExW(&wc);  // fails harmlessly for a second backend
    taskWindow_.Reset(CreateWindowExW(0, kTaskClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      instance_, nullptr));
    if (taskWindow_) {
        SetWindowLongPtrW(taskWindow_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

LRESULT CALLBACK Win32Backend::TaskProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kRunTask) return DefWindowProcW(hwnd, msg, wp, lp);
    if (auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
        try {
            self->RunPosted();
        } catch (...) {
            TraceCaught("posted task");
        }
    }
    return 0;
}

void Win32Backend::Post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
    if (taskWindow_) PostMessageW(taskWindow_.get(), kRunTask, 0, 0);
}

// One task a message, so a task that pumps (a message box) lets the next wait its turn.
void Win32Backend::RunPosted() {
    if (tasks_.empty()) return;
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
}

FontHandle Win32Backend::MakeFont(const Font& font) const {
    if (!font.bold && font.points <= 0) return {};
    LOGFONTW lf{};
    if (!GetObjectW(defaultFont_, sizeof(lf), &lf)) return {};
    if (font.bold) lf.lfWeight = FW_BOLD;
    if (font.points > 0) lf.lfHeight = -MulDiv(font.points, scale_.dpiY, 72);
    return FontHandle(CreateFontIndirectW(&lf));
}

UINT_PTR Win32Backend::AddTimer(Win32TimerPeer& timer) {
    const UINT_PTR id = nextTimerId_++;  // never reused: a late WM_TIMER finds nobody
    timers_[id] = &timer;
    return id;
}

void Win32Backend::RemoveTimer(UINT_PTR id) {
    timers_.erase(id);
}

bool Win32Backend::FireTimer(UINT_PTR id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return false;
    it->second->Fire();
    return true;
}

void Win32Backend::FormDestroyed() {
    if (--forms_ == 0 && running_) PostQuitMessage(0);
}

void Win32Backend::Dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Win32FormPeer* form = Win32FormPeer::FromWindow(root);
    if (form && form->PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int Win32Backend::Run() {
    if (forms_ == 0) return 0;
    running_ = true;
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    running_ = false;
    return static_cast<int>(msg.wParam);
}

void Win32Backend::RunModal(Form& form, Form& owner) {
    const HWND ownerWindow = reinterpret_cast<HWND>(owner.Handle());
    MSG msg{};
    bool quit = false;
    while (form.Loaded()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        Dispatch(msg);
    }
    form.Unload();  // a WM_QUIT ends the dialog too
    if (ownerWindow && IsWindow(ownerWindow) && IsWindowVisible(ownerWindow)) {
        SetActiveWindow(ownerWindow);
    }
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that waits for it
}

void Win32Backend::Repaint() {
    MSG msg;
    // Messages sent by other threads are handled inside PeekMessage itself.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&msg);
}

void Win32Backend::DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that waits for it
            return;
        }
        Dispatch(msg);
    }
}

std::unique_ptr<FormPeer> Win32Backend::CreateForm(Form& form, const FormArgs& args) {
    return std::make_unique<Win32FormPeer>(*this, form, args);
}

std::unique_ptr<ControlPeer> Win32Backend::CreateLabel(Label& label, Container& parent,
                                                       const ControlArgs& args) {
    return std::make_unique<Win32LabelPeer>(*this, label, parent, args);
}

std::unique_ptr<ControlPeer> Win32Backend::CreateButton(Button& button, Container& parent,
                                                        const ControlArgs& args) {
    return std::make_unique<Win32ButtonPeer>(*this, button, parent, args);
}

std::unique_ptr<ControlPeer> Win32Backend::CreateFrame(Frame& frame, Container& parent,
                                                       const ControlArgs& args) {
    return std::make_unique<Win32FramePeer>(*this, frame, parent, args);
}

std::unique_ptr<TextBoxPeer> Win32Backend::CreateTextBox(TextBox& box, Container& parent,
                                                         const ControlArgs& args) {
    return std::make_unique<Win32TextBoxPeer>(*this, box, parent, args);
}

std::unique_ptr<ProgressPeer> Win32Backend::CreateProgressBar(ProgressBar& bar, Container& parent,
                                                              const ControlArgs& args) {
    return std::make_unique<Win32ProgressPeer>(*this, bar, parent, args);
}

std::unique_ptr<PicturePeer> Win32Backend::CreatePictureBox(PictureBox& box, Container& parent,
                                                            const ControlArgs& args) {
    return std::make_unique<Win32PicturePeer>(*this, box, parent, args);
}

std::unique_ptr<TreeViewPeer> Win32Backend::CreateTreeView(TreeView& tree, Container& parent,
                                                           const ControlArgs& args) {
    return std::make_unique<Win32TreeViewPeer>(*this, tree, parent, args);
}

std::unique_ptr<ImageListPeer> Win32Backend::CreateImageList(Container&) {
    return std::make_unique<Win32ImageListPeer>();
}

std::unique_ptr<TimerPeer> Win32Backend::CreateTimer(Timer& timer, Container& parent) {
    return std::make_unique<Win32TimerPeer>(*this, timer, reinterpret_cast<HWND>(parent.Handle()));
}

std::unique_ptr<CheckPeer> Win32Backend::CreateCheckBox(CheckBox& box, Container& parent,
                                                        const Args& args) {
    return std::make_unique<Win32CheckBoxPeer>(*this, box, parent, args);
}

std::unique_ptr<CheckPeer> Win32Backend::CreateOptionButton(OptionButton& option, Container& parent,
                                                            const Args& args) {
    return std::make_unique<Win32OptionButtonPeer>(*this, option, parent, args);
}

std::unique_ptr<ComboBoxPeer> Win32Backend::CreateComboBox(ComboBox& box, Container& parent,
                                                           const Args& args) {
    return std::make_unique<Win32ComboBoxPeer>(*this, box, parent, args);
}

// Neither the page control nor its pages draw anything: no tabs are shown.
std::unique_ptr<ControlPeer> Win32Backend::CreatePageControl(PageControl&, Container& parent,
                                                             const Args& args) {
    return std::make_unique<Win32ContainerPeer>(*this, parent, args, "QuopaPages");
}

std::unique_ptr<ControlPeer> Win32Backend::CreatePage(Page&, PageControl& owner, const Args& args) {
    return std::make_unique<Win32ContainerPeer>(*this, owner, args, "QuopaPage");
}

std::unique_ptr<ControlPeer> Win32Backend::CreateLine(Line& line, Container& parent,
                                                      const Args& args) {
    return std::make_unique<Win32LinePeer>(*this, line, parent, args);
}

std::unique_ptr<HotkeyPeer> Win32Backend::CreateHotkeyBox(HotkeyBox& box, Container& parent,
                                                          const Args& args) {
    return std::make_unique<Win32HotkeyBoxPeer>(*this, box, parent, args);
}

std::unique_ptr<ListViewPeer> Win32Backend::CreateListView(ListView& list, Container& parent,
                                                           const Args& args) {
    return std::make_unique<win32::Win32ListViewPeer>(*this, list, parent, args);
}

}  // namespace ui
