#include "ui/win32/child_window.h"

#include <vector>

#include "platform/win32/win32_code_page.h"
#include "ui/win32/trace.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

// GWLP_USERDATA rather than a window property: under Wine every property lookup is a
// round trip to the server, and a bulk tree load sends thousands of messages. Only a
// window running our procedure is trusted to carry our pointer there.
ChildWindow* ChildWindow::FromHandle(HWND hwnd) {
    if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Procedure))
        return nullptr;
    return reinterpret_cast<ChildWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ChildWindow::~ChildWindow() {
    handler_ = nullptr;  // the peer is half gone: no events while the window dies
    if (hwnd_) DestroyWindow(hwnd_);
}

void ChildWindow::Create(Win32Backend& backend, Container& parent, const char* className,
                         DWORD style, DWORD exStyle, const ControlArgs& args,
                         MessageHandler& handler, bool startsGroup) {
    backend_ = &backend;
    handler_ = &handler;
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (startsGroup) style |= WS_GROUP;
    if (args.visible) style |= WS_VISIBLE;
    if (!args.enabled) style |= WS_DISABLED;
    const RECT r = backend.GetScale().ToPixels(args.bounds);
    const auto id = static_cast<INT_PTR>(backend.NextControlId());
    hwnd_ = CreateWindowExW(
        exStyle, platform::Wide(className).c_str(), platform::Wide(args.text).c_str(), style,
        r.left, r.top, r.right - r.left, r.bottom - r.top, reinterpret_cast<HWND>(parent.Handle()),
        reinterpret_cast<HMENU>(id), backend.Instance(), nullptr);
    if (!hwnd_) return;
    // A new child goes below its siblings, so the order of creation is the tab order the
    // dialog manager walks; a window that must cover another is raised with BringToFront.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    font_ = backend.MakeFont(args.font);
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_ ? font_.get() : backend.DefaultFont()), FALSE);
}

LRESULT ChildWindow::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    return hwnd_ ? SendMessageW(hwnd_, msg, wp, lp) : 0;
}

LRESULT ChildWindow::CallOriginal(UINT msg, WPARAM wp, LPARAM lp) const {
    return original_ ? CallWindowProcW(original_, hwnd_, msg, wp, lp) : 0;
}

std::string ChildWindow::Text() const {
    if (!hwnd_) return {};
    std::vector<wchar_t> buffer(GetWindowTextLengthW(hwnd_) + 1);
    const int length = GetWindowTextW(hwnd_, buffer.data(), static_cast<int>(buffer.size()));
    return platform::Utf8({buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0)});
}

void ChildWindow::SetText(const std::string& text) {
    if (hwnd_) SetWindowTextW(hwnd_, platform::Wide(text).c_str());
}

void ChildWindow::SetBounds(const Bounds& b) {
    if (!hwnd_) return;
    const RECT r = backend_->GetScale().ToPixels(b);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildWindow::SetEnabled(bool on) {
    if (hwnd_) EnableWindow(hwnd_, on);
}

void ChildWindow::SetVisible(bool on) {
    if (hwnd_) ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE);
}

void ChildWindow::BringToFront() {
    if (hwnd_) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ChildWindow::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

MessageHandler* ChildWindow::HandlerOf(HWND hwnd) {
    ChildWindow* window = FromHandle(hwnd);
    return window ? window->handler_ : nullptr;
}

LRESULT CALLBACK ChildWindow::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ChildWindow* self = FromHandle(hwnd);
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    const WNDPROC original = self->original_;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    try {
        LRESULT result = 0;
        if (self->handler_ && self->handler_->OnOwnMessage(msg, wp, lp, result)) return result;
    } catch (...) {
        TraceCaught("control");  // the control carries on
    }
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

bool HandleContainerMessage(Win32Backend& backend, UINT msg, WPARAM wp, LPARAM lp,
                            LRESULT& result) {
    if (backend.TearingDown()) return false;
    HWND child = nullptr;
    switch (msg) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            child = reinterpret_cast<HWND>(lp);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
            break;
        case WM_DRAWITEM:
            if (wp != 0) child = reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem;
            break;
        case WM_TIMER:
            result = 0;
            return backend.FireTimer(static_cast<UINT_PTR>(wp));
        default:
            return false;
    }
    MessageHandler* handler = ChildWindow::HandlerOf(child);
    return handler && handler->OnReflected(msg, wp, lp, result);
}

}  // namespace ui::win32
