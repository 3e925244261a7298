#include "ui/win32/frame_peer.h"

#include "ui/win32/win32_backend.h"

namespace ui::win32 {

namespace {
void RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(instance, Win32FramePeer::kClassName, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcA;  // everything else arrives through the subclass
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = Win32FramePeer::kClassName;
    RegisterClassExA(&wc);
}
}  // namespace

Win32FramePeer::Win32FramePeer(Win32Backend& backend, Frame&, Container& parent,
                               const ControlArgs& args)
    : backend_(backend) {
    RegisterFrameClass(backend.Instance());
    window_.Create(backend, parent, kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, args, *this);
}

void Win32FramePeer::SetText(const std::string& text) {
    window_.SetText(text);
    if (window_.hwnd()) InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

bool Win32FramePeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            result = 0;
            return true;
        case WM_SETFONT:  // a plain window keeps no font: this one draws its caption with it
            font_ = reinterpret_cast<HFONT>(wp);
            if (LOWORD(lp)) InvalidateRect(window_.hwnd(), nullptr, TRUE);
            result = 0;
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(font_);
            return true;
        default:
            break;
    }
    return HandleContainerMessage(backend_, msg, wp, lp, result);
}

void Win32FramePeer::Paint() {
    HWND hwnd = window_.hwnd();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(window_.Send(WM_GETFONT)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    // The etched line runs through the middle of the caption, as a group box draws it.
    RECT border = client;
    border.top += tm.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    const std::string caption = window_.Text();
    if (!caption.empty()) {
        const int margin = tm.tmAveCharWidth;
        RECT text{client.left + margin, client.top, client.right - margin,
                  client.top + tm.tmHeight};
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_CALCRECT);
        InflateRect(&text, 2, 0);
        FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_CENTER);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

}  // namespace ui::win32
