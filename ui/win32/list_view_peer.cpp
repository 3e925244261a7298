#include "ui/win32/list_view_peer.h"

#include <commctrl.h>

#include "platform/win32/win32_code_page.h"
#include "ui/win32/image_list_peer.h"

namespace ui::win32 {

namespace {
void SetCell(const ChildWindow& window, int row, int column, const std::string& text, int image) {
    std::wstring wide = platform::Wide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE : 0u);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = wide.data();
    item.iImage = image < 0 ? I_IMAGENONE : image;
    window.Send(column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}
}  // namespace

Win32ListViewPeer::Win32ListViewPeer(Win32Backend& backend, ListView& list, Container& parent,
                                     const ControlArgs& args)
    : list_(list) {
    const DWORD style = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                        LVS_SHAREIMAGELISTS | WS_TABSTOP;
    window_.Create(backend, parent, "SysListView32", style, WS_EX_CLIENTEDGE, args, *this);
    window_.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW c{};
        c.mask = LVCF_SUBITEM;
        c.iSubItem = column;
        window_.Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    }
    FitColumns();
}

void Win32ListViewPeer::SetBounds(const Bounds& b) {
    window_.SetBounds(b);
    FitColumns();
}

// The detail takes a third of the width; the name the rest, without a scroll bar.
void Win32ListViewPeer::FitColumns() {
    RECT client{};
    if (!window_.hwnd() || !GetClientRect(window_.hwnd(), &client)) return;
    const int detail = client.right / 3;
    window_.Send(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right - detail, 0));
    window_.Send(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(detail, 0));
}

void Win32ListViewPeer::SetImageList(const ImageList* list) {
    images_ = list;
    auto* peer = list ? dynamic_cast<Win32ImageListPeer*>(list->Peer()) : nullptr;
    window_.Send(LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(peer ? peer->get() : nullptr));
}

void Win32ListViewPeer::SetRows(const std::vector<ListRow>& rows, const std::vector<int>& images) {
    SetImageList(images_);  // a rebuilt tree may have made its list anew
    SendMessageW(window_.hwnd(), WM_SETREDRAW, FALSE, 0);
    window_.Send(LVM_DELETEALLITEMS);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        SetCell(window_, row, 0, rows[i].text, images[i]);
        SetCell(window_, row, 1, rows[i].detail, -1);
    }
    SendMessageW(window_.hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

void Win32ListViewPeer::Select(int index) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = state.stateMask;
    window_.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    window_.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

// The focus stays where the user types, which would leave the chosen row a pale grey: it
// shows in the selection's own colours instead, as the row Enter starts.
LRESULT Win32ListViewPeer::Drawn(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto row = static_cast<WPARAM>(draw.nmcd.dwItemSpec);
    if (window_.Send(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) {
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
    return CDRF_DODEFAULT;
}

bool Win32ListViewPeer::OnReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    if (hdr->code == NM_CUSTOMDRAW) {
        result = Drawn(*reinterpret_cast<NMLVCUSTOMDRAW*>(lp));
        return true;
    }
    if (hdr->code != NM_CLICK && hdr->code != NM_DBLCLK) return false;
    const int row = reinterpret_cast<const NMITEMACTIVATE*>(lp)->iItem;
    if (hdr->code == NM_CLICK) {
        list_.UserClicked(row);
    } else {
        list_.UserDoubleClicked(row);
    }
    result = 0;
    return true;
}

}  // namespace ui::win32
