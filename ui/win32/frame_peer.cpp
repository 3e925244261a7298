#include "ui/win32/frame_peer.h"

#include "platform/win32/win32_code_page.h"

namespace ui::win32 {

void Win32FramePeer::SetText(const std::string& text) {
    window_.SetText(text);
    if (window_.hwnd()) InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

bool Win32FramePeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg != WM_PAINT) return Win32ContainerPeer::OnOwnMessage(msg, wp, lp, result);
    Paint();
    result = 0;
    return true;
}

void Win32FramePeer::Paint() {
    HWND hwnd = window_.hwnd();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ oldFont = SelectObject(dc, Font());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    // The etched line runs through the middle of the caption, as a group box draws it.
    RECT border = client;
    border.top += tm.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = platform::Wide(window_.Text());
    if (!caption.empty()) {
        const int margin = tm.tmAveCharWidth;
        RECT text{client.left + margin, client.top, client.right - margin,
                  client.top + tm.tmHeight};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_CALCRECT);
        InflateRect(&text, 2, 0);
        FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_CENTER);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

}  // namespace ui::win32
