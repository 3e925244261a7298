// Every label, check box and button of the dialogs shows its whole text in the font its
// control really gets: the designs were laid out for the classic 8-point dialog font, and a
// wider one (a missing font, another substitute) cuts the ends of their texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frmDriveInUse.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "info/frmAbout.h"
#include "platform/win32/win32_services.h"
#include "settings/frmOptions.h"
#include "tests/windows/window_probe.h"

namespace quopa {
namespace {

// Whether a button of this style draws a box (check box, option) before its text.
bool Boxed(HWND hwnd) {
    switch (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

// "text: needs WxH, has WxH" when a label's or a button's text does not fit its control.
std::string Cut(HWND hwnd) {
    const std::string text = TextOf(hwnd), cls = ClassOf(hwnd);
    if (text.empty() || (cls != "Static" && cls != "Button")) return {};
    RECT room{};
    GetClientRect(hwnd, &room);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    if (cls == "Button" && Boxed(hwnd)) {
        // The box is 13 pixels at 96 dpi, the gap after it half a digit.
        INT digit = 0;
        GetCharWidth32A(dc, '0', '0', &digit);
        room.left += 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + digit / 2;
    }
    RECT need{0, 0, room.right - room.left, 0};
    DrawTextA(dc, text.c_str(), -1, &need,
              DT_CALCRECT | (cls == "Static" ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    const auto size = [](LONG w, LONG h) { return std::to_string(w) + "x" + std::to_string(h); };
    if (need.right <= room.right - room.left && need.bottom <= room.bottom - room.top) return {};
    return text + ": needs " + size(need.right, need.bottom) + ", has " +
           size(room.right - room.left, room.bottom - room.top);
}

std::vector<std::string> CutTexts(const ui::Form& form) {
    std::vector<std::string> cut;
    EnumChildWindows(
        H(form),
        [](HWND hwnd, LPARAM list) -> BOOL {
            std::string why = Cut(hwnd);
            if (!why.empty()) reinterpret_cast<std::vector<std::string>*>(list)->push_back(why);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&cut));
    return cut;
}

class DialogTextFit : public ::testing::Test {
  protected:
    DialogTextFit() {
        owner.Create({.caption = "Owner", .clientWidth = 6000, .clientHeight = 6000});
        tree.Create(owner, {.control = {.bounds = {120, 120, 3000, 5000}}});
    }

    const std::string folder = TempFolder("quopa_fit_");
    platform::Win32Services services{WM_APP + 1};
    modINI ini{services.files};
    ProgramState state;
    ui::Win32Backend backend;
    AppContext ctx{backend, services.sys, ini, state, folder};
    ui::Form owner{backend};
    ui::TreeView tree;
};

TEST_F(DialogTextFit, EveryDialogShowsItsTextsWhole) {
    frmAddItem wizard(ctx, tree, [] {});
    wizard.Create();
    EXPECT_EQ(CutTexts(wizard.form), std::vector<std::string>{}) << "item wizard";
    frmNewCategory category(ctx, tree, [] {});
    category.Create();
    EXPECT_EQ(CutTexts(category.form), std::vector<std::string>{}) << "new category";
    frmOptions options(ctx, [] {});
    options.Create();
    EXPECT_EQ(CutTexts(options.form), std::vector<std::string>{}) << "options";
    frmAbout about(ctx);
    about.Create();
    EXPECT_EQ(CutTexts(about.form), std::vector<std::string>{}) << "about";
    DriveRelease release(services.programs, "Q:");
    frmDriveInUse inUse(ctx, release);
    inUse.Create();
    EXPECT_EQ(CutTexts(inUse.form), std::vector<std::string>{}) << "drive in use";
}

}  // namespace
}  // namespace quopa
