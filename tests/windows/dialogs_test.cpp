// The dialogs as real windows over a real owner: the keys every Windows dialog answers
// (Tab, access keys, Enter, Esc) reach their controls through the system's dialog manager,
// the owner is out of reach until the dialog is gone, and every text shows whole in the font
// its control really gets.
#include <fstream>

#include "app/frmDriveInUse.h"
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

std::function<void()> afterDialog;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    afterDialog();
}

// "text: needs WxH, has WxH" for each label or button whose text does not fit its control.
BOOL CALLBACK NoteCut(HWND hwnd, LPARAM list) {
    const std::string text = TextOf(hwnd), cls = ClassOf(hwnd);
    if (text.empty() || (cls != "Static" && cls != "Button")) return TRUE;
    RECT room{};
    GetClientRect(hwnd, &room);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    const LONG type = StyleOf(hwnd) & BS_TYPEMASK;  // check boxes and options draw a box first
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
    void Then(std::function<void()> step) { steps.Then(std::move(step)); }
    template <class Dialog>
    void ShowModal(Dialog& dialog) {
        owner.Show();
        steps.Start();
        dialog.ShowModal(owner);
    }
    static void Press(const ui::Control& button) { PostMessageA(H(button), BM_CLICK, 0, 0); }
    static Strings CutTexts(const ui::Form& form) {
        Strings cut;
        EnumChildWindows(H(form), NoteCut, reinterpret_cast<LPARAM>(&cut));
        return cut;
    }

    const std::string folder = TempFolder("quopa_dialogs_");
    platform::Win32Services services{WM_APP + 1};
    modINI ini{services.files};
    ProgramState state;
    ui::Win32Backend backend;
    ui::Form owner{backend};
    ui::TreeView tree;
    AppContext ctx{backend, services.sys, ini, state, folder};
    PostedSteps steps{backend};
};
using DialogTextFit = Dialogs;

TEST_F(DialogTextFit, EveryDialogShowsItsTextsWhole) {
    frmAddItem wizard(ctx, tree, [] {});
    frmNewCategory category(ctx, tree, [] {});
    frmOptions options(ctx, [] {});
    frmAbout about(ctx);
    DriveRelease release(services.programs, "Q:");
    frmDriveInUse inUse(ctx, release);
    wizard.Create();
    category.Create();
    options.Create();
    about.Create();
    inUse.Create();
    for (const ui::Form* form :
         {&wizard.form, &category.form, &options.form, &about.form, &inUse.form})
        EXPECT_EQ(CutTexts(*form), Strings{}) << TextOf(H(*form));
}

// Apply holds the focus at the start; Tab moves on, an access key presses its button and
// Esc the cancel button.
TEST_F(Dialogs, OptionsOpensOnApplyOverADisabledOwnerAndTakesTheKeys) {
    int applied = 0;
    frmOptions dlg(ctx, [&] { ++applied; });
    dlg.Create();
    std::vector<bool> seen;  // focus on Apply at the start, the owner disabled, Tab's move
    Then([] {});             // the dialog's own focus request runs first
    Then([&] {
        seen = {GetFocus() == H(dlg.cmdApply), !IsWindowEnabled(H(owner))};
        Type(H(dlg.txtUserName), "Ann Lee");
    });
    Then([&] { Key(VK_TAB); });
    Then([&] {
        seen.push_back(GetFocus() == H(dlg.txtAddress));
        Type(H(dlg.txtAddress), "x");
        AltKey('a');
    });
    Then([&] {
        SetFocus(H(dlg.txtCity));  // Apply, greyed again, has lost it
        Key(VK_ESCAPE);
    });
    ShowModal(dlg);
    EXPECT_EQ(seen, std::vector<bool>(3, true));
    EXPECT_TRUE(IsWindowEnabled(H(owner)));
    EXPECT_FALSE(dlg.form.Loaded());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(FileText(SettingsFile(folder))
                  .rfind("[UserInfo]\r\nUserName=Ann Lee\r\nUserAddress=x\r\n", 0),
              0u);
}

// Each page's default button takes Enter; the category dialog runs centred over the wizard
// in a dialog frame, and the wizard takes the keys again once it has gone.
TEST_F(Dialogs, TheWizardAddsAnItemTypedIntoItsControlsAndACategoryOnTheWay) {
    frmAddItem w(ctx, tree, {});
    w.Create();
    bool placed = false;
    UINT_PTR timer = 0;
    Then([&] {
        SetFocus(H(w.Option1));
        Key(VK_RETURN);  // Next
    });
    Then([&] {
        Type(H(w.txtAppTitle), "Tool");
        Type(H(w.txtAppPath), "x.exe");
        Press(w.cmdNewCat);
    });
    Then([&] {
        HWND dialog = FindWindowA(nullptr, "Add Category");
        ASSERT_NE(dialog, nullptr);
        RECT o{}, i{};
        GetWindowRect(H(w.form), &o);
        GetWindowRect(dialog, &i);
        placed = GetWindow(dialog, GW_OWNER) == H(w.form) && !(StyleOf(dialog) & WS_MINIMIZEBOX) &&
                 (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) &&
                 abs(o.left + o.right - i.left - i.right) < 4 &&
                 abs(o.top + o.bottom - i.top - i.bottom) < 4;
        Type(FindWindowExA(dialog, nullptr, "Edit", nullptr), "Tools");
    });
    Then([&] { Key(VK_RETURN); });
    // The dialog lets pending messages run while it saves, so a posted step would run too
    // early: a timer looks again once the queue is empty, until the dialog has gone.
    afterDialog = [&] {
        if (FindWindowA(nullptr, "Add Category")) return;
        KillTimer(nullptr, timer);
        SetFocus(H(w.txtAppTitle));
        Key(VK_RETURN);  // Finish
    };
    Then([&] { timer = SetTimer(nullptr, 0, 50, Tick); });
    ShowModal(w.form);
    EXPECT_FALSE(w.form.Loaded());
    EXPECT_TRUE(placed);
    const std::string stored = FileText(AppsFile(folder));
    EXPECT_NE(stored.find("[Category2]\r\nName=Tools\r\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("[Application1]\r\nName=Tool\r\nDescription=\r\nPath=x.exe\r\n"
                          "Category=Quopa\r\n"),
              std::string::npos)
        << stored;
}

}  // namespace
}  // namespace quopa
