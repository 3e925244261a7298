#include "ui/win32/form_peer.h"

#include <algorithm>

#include "platform/win32/program_icon.h"
#include "platform/win32/win32_code_page.h"
#include "ui/win32/child_window.h"
#include "ui/win32/trace.h"
#include "ui/win32/tray_message.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

namespace {
constexpr char kDefaultClass[] = "QuopaForm";

// A W class: the system then hands its windows and their controls' notifications Unicode.
void RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, name, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

int ShowCommand(WindowState state) {
    switch (state) {
        case WindowState::Minimized:
            return SW_SHOWMINIMIZED;
        case WindowState::Maximized:
            return SW_SHOWMAXIMIZED;
        default:
            return SW_SHOWNORMAL;
    }
}

// The shell reports the icon's mouse messages by their numbers.
TrayMouse TrayMouseOf(UINT message) {
    switch (message) {
        case WM_LBUTTONUP:
            return TrayMouse::LeftUp;
        case WM_LBUTTONDBLCLK:
            return TrayMouse::LeftDoubleClick;
        case WM_RBUTTONUP:
            return TrayMouse::RightUp;
        default:
            return TrayMouse::Other;
    }
}

// Destroys a form's window with its controls' events held back.
void DestroyForm(Win32Backend& backend, HWND hwnd) {
    backend.BeginTeardown();
    DestroyWindow(hwnd);
    backend.EndTeardown();
}
}  // namespace

Win32FormPeer::Win32FormPeer(Win32Backend& backend, Form& form, const FormArgs& args)
    : backend_(backend), form_(form) {
    const std::wstring className =
        platform::Wide(args.className.empty() ? kDefaultClass : args.className);
    RegisterFormClass(backend.Instance(), className.c_str(), &Procedure);
    dialog_ = args.dialog;
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_CONTROLPARENT;
    if (args.popup) {
        style_ = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
        exStyle_ |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    } else if (dialog_) {
        style_ |= DS_MODALFRAME;
        exStyle_ |= WS_EX_DLGMODALFRAME;
    } else {
        if (args.minButton) style_ |= WS_MINIMIZEBOX;
        if (!args.fixedSingleBorder) style_ |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    }
    const Scale& scale = backend.GetScale();
    RECT outer = scale.ToPixels(form.GetBounds());
    if (args.clientWidth > 0 && args.clientHeight > 0) {
        RECT client{0, 0, scale.ToPixelsX(args.clientWidth), scale.ToPixelsY(args.clientHeight)};
        AdjustWindowRectEx(&client, style_, FALSE, exStyle_);
        outer.right = outer.left + (client.right - client.left);
        outer.bottom = outer.top + (client.bottom - client.top);
    }
    CreateWindowExW(exStyle_, className.c_str(), platform::Wide(args.caption).c_str(), style_,
                    outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                    nullptr, nullptr, backend.Instance(), this);
    if (!hwnd_) return;
    backend_.FormCreated();
    if (!dialog_ && !args.popup) LoadIcons();
    SyncBounds();
}

Win32FormPeer::~Win32FormPeer() {
    if (hwnd_) DestroyForm(backend_, hwnd_);
}

// The program's icon is resource 1; a program without one (a test) keeps the default.
void Win32FormPeer::LoadIcons() {
    using platform::win32::LoadProgramIcon;
    bigIcon_.Reset(LoadProgramIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    smallIcon_.Reset(platform::win32::LoadSmallProgramIcon());
    if (bigIcon_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    }
    if (smallIcon_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
}

Win32FormPeer* Win32FormPeer::FromWindow(HWND hwnd) {
    // Any top-level window may be asked about (a message box, a menu): only one running
    // our procedure carries our pointer in its user data.
    if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Procedure))
        return nullptr;
    return reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

platform::WindowId Win32FormPeer::Handle() const {
    return reinterpret_cast<platform::WindowId>(hwnd_);
}

void Win32FormPeer::SetText(const std::string& text) {
    if (hwnd_) SetWindowTextW(hwnd_, platform::Wide(text).c_str());
}

void Win32FormPeer::SetBounds(const Bounds& b) {
    if (!hwnd_) return;
    const RECT r = backend_.GetScale().ToPixels(b);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::SetEnabled(bool on) {
    if (hwnd_) EnableWindow(hwnd_, on);
}

// A hidden window keeps its state until it shows: showing applies it then.
void Win32FormPeer::SetVisible(bool on) {
    if (hwnd_) ShowWindow(hwnd_, on ? ShowCommand(form_.State()) : SW_HIDE);
}

void Win32FormPeer::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void Win32FormPeer::ApplyState(WindowState state) {
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
    ShowWindow(hwnd_, state == WindowState::Minimized   ? SW_MINIMIZE
                      : state == WindowState::Maximized ? SW_MAXIMIZE
                                                        : SW_SHOWNORMAL);
}

void Win32FormPeer::SetMenuBar(MenuItem* bar) {
    if (!hwnd_) return;
    RECT client{};
    const bool keepClient = !IsIconic(hwnd_) && GetClientRect(hwnd_, &client);
    MenuHandle menu = bar ? menus_.BuildBar(*bar) : MenuHandle();
    SetMenu(hwnd_, menu.get());
    bar_ = std::move(menu);  // the old bar dies only once detached
    shortcuts_ = bar ? BuildAccelerators(*bar) : AccelHandle();
    DrawMenuBar(hwnd_);
    // The designed client area stays whole; the window grows by the bar instead.
    if (keepClient) ResizeForClient(client.right, client.bottom);
}

void Win32FormPeer::PopupMenu(MenuItem& menu) {
    if (!hwnd_) return;
    MenuBuilder builder;
    MenuHandle popup = builder.BuildPopup(menu);
    if (!popup) return;
    POINT at{};
    GetCursorPos(&at);
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY;
    const int command =
        static_cast<int>(TrackPopupMenu(popup.get(), flags, at.x, at.y, 0, hwnd_, nullptr));
    // A menu tracked for a window in the background closes properly only after the owner
    // has had a message of its own (a documented shell quirk for tray menus).
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (command != 0) form_.RunCommand(command);
}

void Win32FormPeer::SetClientSize(int widthTwips, int heightTwips) {
    const Scale& scale = backend_.GetScale();
    ResizeForClient(scale.ToPixelsX(widthTwips), scale.ToPixelsY(heightTwips));
}

void Win32FormPeer::ResizeForClient(int width, int height) {
    RECT window, client;
    if (!hwnd_ || !GetWindowRect(hwnd_, &window) || !GetClientRect(hwnd_, &client)) return;
    const int outerWidth = (window.right - window.left) + (width - client.right);
    const int outerHeight = (window.bottom - window.top) + (height - client.bottom);
    SetWindowPos(hwnd_, nullptr, 0, 0, outerWidth, outerHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::SyncBounds() {
    RECT actual;
    if (!hwnd_ || IsIconic(hwnd_) || !GetWindowRect(hwnd_, &actual)) return;
    const Scale& scale = backend_.GetScale();
    const RECT asked = scale.ToPixels(form_.GetBounds());
    if (!EqualRect(&actual, &asked)) form_.SyncBounds(scale.ToTwips(actual));
}

void Win32FormPeer::OnSize(WPARAM kind) {
    WindowState state;
    switch (kind) {
        case SIZE_MINIMIZED:
            state = WindowState::Minimized;
            break;
        case SIZE_MAXIMIZED:
            state = WindowState::Maximized;
            break;
        case SIZE_RESTORED:
            state = WindowState::Normal;
            break;
        default:
            return;
    }
    if (state != form_.State()) form_.SystemChangedState(state);
}

namespace {
// The clipboard and undo keys belong to the edit box that has the focus, as everywhere in
// Windows, even where a menu entry uses one of them as its shortcut.
bool EditBoxKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (GetKeyState(VK_CONTROL) & 0x8000) == 0) return false;
    if (GetKeyState(VK_MENU) & 0x8000) return false;
    switch (msg.wParam) {
        case 'C':
        case 'X':
        case 'V':
        case 'Z':
        case 'A':
        case VK_INSERT:
            break;
        default:
            return false;
    }
    wchar_t name[8] = {};
    if (GetClassNameW(msg.hwnd, name, 8) <= 0 || lstrcmpiW(name, L"Edit") != 0) return false;
    // Undo takes back the box's own typing while it shows some; else the window's last change.
    return msg.wParam != 'Z' ||
           (GetWindowTextLengthW(msg.hwnd) > 0 && SendMessageW(msg.hwnd, EM_CANUNDO, 0, 0) != 0);
}
}  // namespace

bool Win32FormPeer::PreTranslate(MSG& msg) {
    if (!hwnd_) return false;
    if (shortcuts_ && !EditBoxKey(msg) && TranslateAcceleratorW(hwnd_, shortcuts_.get(), &msg))
        return true;
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

void Win32FormPeer::SetOwner(platform::WindowId owner) {
    if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner));
}

void Win32FormPeer::KeepOnScreen() {
    RECT r;
    if (!hwnd_ || !GetWindowRect(hwnd_, &r)) return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& area = info.rcWork;
    LONG left = std::min(r.left, area.right - (r.right - r.left));
    LONG top = std::min(r.top, area.bottom - (r.bottom - r.top));
    left = std::max(left, area.left);
    top = std::max(top, area.top);
    if (left == r.left && top == r.top) return;
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::CenterOnPointerScreen() {
    RECT r;
    POINT at{};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!hwnd_ || !GetWindowRect(hwnd_, &r) || !GetCursorPos(&at) ||
        !GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info))
        return;
    const RECT& area = info.rcWork;
    SetWindowPos(hwnd_, nullptr, (area.left + area.right - (r.right - r.left)) / 2,
                 (area.top + area.bottom - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::Destroy() {
    if (hwnd_) DestroyForm(backend_, hwnd_);
}

LRESULT CALLBACK Win32FormPeer::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<Win32FormPeer*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    Win32FormPeer* self = FromWindow(hwnd);
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        if (msg != WM_NCDESTROY) return self->OnMessage(msg, wp, lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->backend_.FormDestroyed();
    } catch (...) {
        TraceCaught("form");
        // A failed close request is still no consent to close.
        if (msg == WM_CLOSE) return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Win32FormPeer::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // Sent to every top-level window when the taskbar comes back after the shell restarted:
    // notification-area icons must be added again.
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    if (msg == taskbarCreated && taskbarCreated != 0) {
        form_.RaiseTaskbarCreated();
        return 0;
    }
    switch (msg) {
        case WM_CLOSE:
            form_.Close();
            return 0;
        case WM_SIZE:
            OnSize(wp);
            return 0;
        case WM_WINDOWPOSCHANGED:
            SyncBounds();
            break;  // the default sends WM_SIZE and WM_MOVE
        case WM_COMMAND:
            if (lp != 0) break;  // a control's: reflected below
            // The dialog manager's Enter and Esc: ids 1 and 2 are never menu commands.
            if (LOWORD(wp) == IDOK) {
                form_.PressEnter();
            } else if (LOWORD(wp) == IDCANCEL) {
                form_.PressEscape();
            } else {
                form_.RunCommand(LOWORD(wp));  // a menu's or a shortcut's
            }
            return 0;
        case kTrayCallbackMessage:
            form_.RaiseTrayNotify(TrayMouseOf(LOWORD(lp)));
            return 0;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_KEYMENU && lp == 0 && altIgnoredUntil_ &&
                static_cast<LONG>(altIgnoredUntil_ - GetTickCount()) > 0) {
                altIgnoredUntil_ = 0;
                return 0;
            }
            break;
        case WM_INITMENUPOPUP:
            menus_.Refresh(reinterpret_cast<HMENU>(wp));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
                form_.RaiseDeactivate();
            }
            break;
        case WM_SETFOCUS:
            if (lastFocus_ && IsChild(hwnd_, lastFocus_)) {
                restoringFocus_ = true;
                ::SetFocus(lastFocus_);
                restoringFocus_ = false;
                return 0;
            }
            break;
        default:
            break;
    }
    LRESULT result = 0;
    if (HandleContainerMessage(backend_, msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ui::win32
