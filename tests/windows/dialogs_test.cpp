// The dialogs as real windows over a real owner: the keys every Windows dialog answers
// (Tab, access keys, Enter, Esc) reach their controls through the system's dialog manager,
// the owner is out of reach until the dialog is gone, and every text shows whole in the font
// its control really gets.
#include <deque>

#include "app/frmDriveInUse.h"
#include "app/frmQuick.h"
#include "app/frmRestore.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "info/frmAbout.h"
#include "platform/win32/win32_services.h"
#include "settings/frmOptions.h"
#include "store/data_files.h"
#include "tests/windows/window_probe.h"
#include "ui/tree_view.h"

namespace quopa {
namespace {

// "text: needs WxH, has WxH" for each label or button whose text does not fit its control.
BOOL CALLBACK NoteCut(HWND hwnd, LPARAM list) {
    char name[64] = {};
    const std::string text = TextOf(hwnd), cls(name, GetClassNameA(hwnd, name, sizeof(name)));
    if (text.empty() || (cls != "Static" && cls != "Button")) return TRUE;
    RECT room{};
    GetClientRect(hwnd, &room);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    const LONG type =
        GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;  // check boxes and options draw a box first
    if (cls == "Button" && type >= BS_CHECKBOX && type <= BS_AUTORADIOBUTTON &&
        type != BS_GROUPBOX && type != BS_USERBUTTON) {
        INT digit = 0;  // the box is 13 pixels at 96 dpi, the gap after it half a digit
        GetCharWidth32A(dc, '0', '0', &digit);
        room.left += 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + digit / 2;
    }
    RECT need{0, 0, room.right - room.left, 0};
    DrawTextA(dc, text.c_str(), -1, &need,
              DT_CALCRECT | (cls == "Static" ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    const LONG w = room.right - room.left, h = room.bottom - room.top;
    if (need.right > w || need.bottom > h)
        reinterpret_cast<Strings*>(list)->push_back(text + ": needs " + std::to_string(need.right) +
                                                    "x" + std::to_string(need.bottom) + ", has " +
                                                    std::to_string(w) + "x" + std::to_string(h));
    return TRUE;
}

// The user's steps, played inside the dialog's modal loop one timer tick apart, so that
// what each step posted is handled first; a step that answers false is tried again.
std::deque<std::function<bool()>> steps;
void CALLBACK NextStep(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!steps.empty() && steps.front()()) steps.pop_front();
    if (steps.empty()) KillTimer(nullptr, timer);
}

bool Type(HWND box, const std::string& text) {
    SetFocus(box);
    for (char c : text) PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
    return true;
}

bool Key(WPARAM key) {
    return PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
}

class Dialogs : public ::testing::Test {
  protected:
    Dialogs() {
        std::ofstream(AppsFile(folder), std::ios::binary) << "[Category1]\r\nName=Games\r\n";
        owner.Create({.caption = "Owner", .clientWidth = 6000, .clientHeight = 6000});
        tree.Create(owner, {.control = {.bounds = {120, 120, 3000, 5000}}});
    }
    ~Dialogs() override {
        for (const std::string& file : {AppsFile(folder), SettingsFile(folder)})
            DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    template <class Dialog>
    void ShowModal(Dialog& dialog, std::deque<std::function<bool()>> played) {
        owner.Show();
        steps = std::move(played);
        SetTimer(nullptr, 0, 100, NextStep);
        dialog.ShowModal(owner);
    }

    const std::string folder = TempFolder("quopa_dialogs_");
    platform::Win32Services services{WM_APP + 1};
    modINI ini{services.files, services.codePage};
    ProgramState state;
    ui::Win32Backend backend;
    ui::Form owner{backend};
    ui::TreeView tree;
    AppContext ctx{backend, services.sys, ini, state, folder};
};
using DialogTextFit = Dialogs;

TEST_F(DialogTextFit, EveryDialogShowsItsTextsWhole) {
    frmAddItem wizard(ctx, tree, [] {});
    frmNewCategory category(ctx, tree, [] {});
    frmOptions options(ctx, [] {});
    frmAbout about(ctx);
    DriveRelease release(services.programs, "Q:");
    frmDriveInUse inUse(ctx, release);
    frmRestore restore(ctx);
    restore.Versions = {"2026-12-08 05:33:58  9999 items, before Delete \"Chess\""};
    wizard.Create();
    category.Create();
    options.Create();
    about.Create();
    inUse.Create();
    restore.Create();
    for (const ui::Form* form :
         {&wizard.form, &category.form, &options.form, &about.form, &inUse.form, &restore.form}) {
        Strings cut;
        EnumChildWindows(H(*form), NoteCut, reinterpret_cast<LPARAM>(&cut));
        EXPECT_EQ(cut, Strings{}) << TextOf(H(*form));
    }
}

// Apply holds the focus at the start; Tab moves on, an access key presses its button and
// Esc the cancel button.
TEST_F(Dialogs, OptionsOpensOnApplyOverADisabledOwnerAndTakesTheKeys) {
    int applied = 0;
    frmOptions dlg(ctx, [&] { ++applied; });
    dlg.Create();
    std::vector<bool> seen;  // focus on Apply at the start, the owner disabled, Tab's move
    ShowModal(dlg, {[&] {
                        seen = {GetFocus() == H(dlg.cmdApply), !IsWindowEnabled(H(owner))};
                        return Type(H(dlg.txtUserName), "Ann Lee");
                    },
                    [&] { return Key(VK_TAB); },
                    [&] {
                        seen.push_back(GetFocus() == H(dlg.txtAddress));
                        Type(H(dlg.txtAddress), "x");
                        return PostMessageA(GetFocus(), WM_SYSCHAR, 'a', 1 | 1 << 29);  // Alt+A
                    },
                    [&] {
                        SetFocus(H(dlg.txtCity));  // Apply, greyed again, has lost it
                        return Key(VK_ESCAPE);
                    }});
    EXPECT_EQ(seen, std::vector<bool>(3, true));
    EXPECT_TRUE(IsWindowEnabled(H(owner)) && !dlg.form.Loaded() && applied == 1);
    std::string stored;
    services.files.ReadAll(SettingsFile(folder), stored);
    EXPECT_TRUE(stored.starts_with("[UserInfo]\r\nUserName=Ann Lee\r\nUserAddress=x\r\n"));
}

// Each page's default button takes Enter; the category dialog is the wizard's own, and the
// wizard takes the keys again once it has gone.
TEST_F(Dialogs, TheWizardAddsAnItemTypedIntoItsControlsAndACategoryOnTheWay) {
    frmAddItem w(ctx, tree, {});
    w.Create();
    ShowModal(w.form, {[&] {
                           SetFocus(H(w.Option1));
                           return Key(VK_RETURN);  // Next
                       },
                       [&] {
                           Type(H(w.txtAppTitle), "Tool");
                           Type(H(w.txtAppPath), "x.exe");
                           return PostMessageA(H(w.cmdNewCat), BM_CLICK, 0, 0);
                       },
                       [&] {
                           HWND dialog = FindWindowA(nullptr, "Add Category");
                           if (!dialog) return false;
                           EXPECT_EQ(GetWindow(dialog, GW_OWNER), H(w.form));
                           return Type(FindWindowExA(dialog, nullptr, "Edit", nullptr), "Tools");
                       },
                       [&] { return Key(VK_RETURN); },
                       [&] {
                           if (FindWindowA(nullptr, "Add Category")) return false;
                           SetFocus(H(w.txtAppTitle));
                           return Key(VK_RETURN);  // Finish
                       }});
    EXPECT_FALSE(w.form.Loaded());
    std::string stored;
    services.files.ReadAll(AppsFile(folder), stored);
    EXPECT_TRUE(stored.find("[Category2]\r\nName=Tools\r\n") != std::string::npos &&
                stored.find("[Application1]\r\nName=Tool\r\nDescription=\r\nPath=x.exe\r\n"
                            "Category=Quopa\r\n") != std::string::npos)
        << stored;
}

// The quick box in front with the focus in its text; the keys reach it through the dialog
// manager, the rows through the wide list view; it goes when another window is activated.
TEST_F(Dialogs, TheQuickBoxTakesItsKeysAndHidesWhenItLosesTheFocus) {
    Usage usage(services.files, UsageFile(folder));
    std::vector<std::string> ran;
    frmQuick box(ctx, usage,
                 {nullptr,
                  [] {
                      return std::vector<QuickItem>{{"a1", "Écrire", "", "Bureau", "e.exe", ""},
                                                    {"a2", "Écran", "", "Bureau", "n.exe", ""}};
                  },
                  [] { return std::vector<QuickItem>(); },
                  [&](const QuickItem& item, const std::string& typed) {
                      ran.push_back(item.key + "|" + typed);
                  },
                  nullptr, nullptr});
    box.Create();
    owner.Show();
    auto pump = [&] {
        for (int i = 0; i < 20; ++i) {
            backend.DoEvents();
            Sleep(10);
        }
    };
    box.Open();
    pump();
    EXPECT_EQ(GetForegroundWindow(), H(box.form));
    EXPECT_EQ(GetFocus(), H(box.txtQuick));
    EXPECT_TRUE(GetWindowLongW(H(box.form), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Type(H(box.txtQuick), "ecr");
    pump();
    wchar_t row[32] = {};
    LVITEMW item{};
    item.pszText = row;
    item.cchTextMax = 32;
    SendMessageW(H(box.lstQuick), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(row), L"\u00c9crire");
    Key(VK_DOWN);
    pump();
    EXPECT_EQ(
        SendMessageW(H(box.lstQuick), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    RECT chosen{LVIR_BOUNDS};  // in the selection's colour while the focus is in the text
    SendMessageW(H(box.lstQuick), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&chosen));
    UpdateWindow(H(box.lstQuick));
    HDC dc = GetDC(H(box.lstQuick));
    EXPECT_EQ(GetPixel(dc, chosen.right - 4, (chosen.top + chosen.bottom) / 2),
              GetSysColor(COLOR_HIGHLIGHT));
    ReleaseDC(H(box.lstQuick), dc);
    Key(VK_RETURN);
    pump();
    EXPECT_EQ(ran, (std::vector<std::string>{"a1|ecr"}));
    EXPECT_FALSE(IsWindowVisible(H(box.form)));
    box.Open();
    Type(H(box.txtQuick), "x");
    Key(VK_ESCAPE);
    pump();
    EXPECT_TRUE(IsWindowVisible(H(box.form)) && box.txtQuick.Text().empty());
    Key(VK_ESCAPE);
    pump();
    EXPECT_FALSE(IsWindowVisible(H(box.form)));
    box.Open();
    pump();
    SetForegroundWindow(H(owner));
    pump();
    EXPECT_FALSE(IsWindowVisible(H(box.form))) << "another window took the focus";
}

}  // namespace
}  // namespace quopa
