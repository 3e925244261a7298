// The item wizard and the category dialog as real windows over a real tree: typed into,
// picked from and pressed through their controls, with the apps file read back after.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "editor/frmAddItem.h"
#include "launch/drive_paths.h"
#include "platform/headless/headless_file_dialog.h"
#include "platform/win32/win32_services.h"
#include "store/data_files.h"
#include "tests/windows/window_probe.h"
#include "tree/tree_loader.h"
#include "ui/win32/tray_message.h"

namespace quopa {
namespace {

std::function<void()> afterDialog;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    afterDialog();
}

class WizardWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(AppsFile(folder), std::ios::binary) << "[Category1]\r\nName=Games\r\n";
        state.LauncherDrive = DriveOfFolder(folder);
        state.AutorunDone = true;
        owner.Create({.caption = "Owner", .clientWidth = 6000, .clientHeight = 6000});
        tree.Create(owner, {.control = {.bounds = {120, 120, 3000, 5000}}});
        icons.Create(owner);
        runs.Create(run, 100, 1, "App");
        owner.Show();
        loader.IntList();
    }
    void TearDown() override {
        DeleteFileA(AppsFile(folder).c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::string Stored() const { return FileText(AppsFile(folder)); }
    void Then(std::function<void()> step) { steps.Then(std::move(step)); }
    void Next() { steps.Start(); }
    static void Press(const ui::Control& button) { PostMessageA(H(button), BM_CLICK, 0, 0); }

    const std::string folder = TempFolder("quopa_wizard_");
    platform::Win32Services real{ui::kTrayCallbackMessage};
    platform::HeadlessFileDialog fileDialog;  // plays the user's choice
    platform::Services sys{real.files,  real.shell,    real.desktop,  real.process, real.tray,
                           fileDialog,  real.pictures, real.registry, real.http,    real.programs,
                           real.hotkey, real.versions, real.codePage};
    modINI ini{real.files};
    ProgramState state;
    ui::Win32Backend backend;
    ui::Form owner{backend};
    ui::TreeView tree;
    ui::ImageList icons;
    ui::MenuItem run{{"R&un", 0, false}};
    ui::MenuArray runs;
    Launcher launcher{ini, real.shell, real.desktop, state, folder, AppsFile(folder)};
    TreeLoader loader{{tree, icons, run, runs}, ini, launcher, sys, state, AppsFile(folder), {}};
    AppContext ctx{backend, sys, ini, state, folder};
    PostedSteps steps{backend};
};

TEST_F(WizardWindow, AddsAnItemTypedIntoItsControls) {
    const std::string tool = folder + "\\Tools\\t.exe";
    fileDialog.answers.push_back(platform::HeadlessFileDialog::Chosen(tool));
    frmAddItem w(ctx, tree, [this] { loader.IntList(); });
    w.Create();
    std::string pathBox;
    Then([&] {
        SetFocus(H(w.Option1));
        Key(VK_RETURN);  // Next, the page's default button
    });
    Then([&] {
        Type(H(w.txtAppTitle), "Tool");
        SetFocus(H(w.Combo1));
        Key(VK_DOWN);  // the entry after "Quopa"
    });
    Then([&] { Press(w.cmdBrowseFile); });
    Then([&] {
        pathBox = w.txtAppPath.Text();
        Press(w.cmdFinish);
    });
    Next();
    w.form.ShowModal(owner);
    EXPECT_FALSE(w.form.Loaded());
    EXPECT_EQ(pathBox, ToDrivePath(tool, state.LauncherDrive));
    ASSERT_NE(tree.Find("application1"), nullptr);
    EXPECT_EQ(tree.Find("application1")->Parent()->Key(), "Games");
    EXPECT_EQ(tree.Find("application1")->Text(), "Tool");
    const std::string stored = Stored();
    EXPECT_NE(stored.find("[Application1]\r\nName=Tool\r\nDescription=\r\nPath=" + pathBox +
                          "\r\nCategory=Games\r\n"),
              std::string::npos)
        << stored;
}

TEST_F(WizardWindow, EditsAnItemAndEscLeavesItAsItWas) {
    std::ofstream(AppsFile(folder), std::ios::binary | std::ios::app)
        << "[Application1]\r\nName=Old\r\nPath=x.exe\r\nCategory=Games\r\n";
    loader.IntList();
    const std::string before = Stored();
    {
        frmAddItem w(ctx, tree, [this] { loader.IntList(); });
        w.Create();
        ASSERT_TRUE(w.LoadItem("application1", "Old"));
        Then([&] {
            SetFocus(H(w.txtAppTitle));
            Key(VK_ESCAPE);
        });
        Next();
        w.form.ShowModal(owner);
    }
    EXPECT_EQ(Stored(), before);

    frmAddItem w(ctx, tree, [this] { loader.IntList(); });
    w.Create();
    w.LoadItem("application1", "Old");
    Then([&] {
        SendMessageA(H(w.txtAppTitle), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        Type(H(w.txtAppTitle), "New");
    });
    Then([&] { Key(VK_RETURN); });  // Finish, the field page's default button
    Next();
    w.form.ShowModal(owner);
    EXPECT_EQ(tree.Find("application1")->Text(), "New");
    EXPECT_NE(Stored().find("Name=New\r\n"), std::string::npos);
}

// The category dialog runs over the wizard; what it adds shows in the wizard's list.
TEST_F(WizardWindow, AddsACategoryFromTheWizard) {
    frmAddItem w(ctx, tree, [this] { loader.IntList(); });
    w.Create();
    int entries = 0;
    UINT_PTR timer = 0;
    Then([&] { Press(w.cmdNext); });
    Then([&] { Press(w.cmdNewCat); });
    Then([&] {
        HWND dialog = FindWindowA(nullptr, "Add Category");
        ASSERT_NE(dialog, nullptr);
        HWND box = FindWindowExA(dialog, nullptr, "Edit", nullptr);
        ASSERT_NE(box, nullptr);
        Type(box, "Tools");
    });
    Then([&] { Key(VK_RETURN); });
    // The dialog lets pending messages run while it saves, so a posted step would run too
    // early: a timer looks again once the queue is empty, until the dialog has gone.
    afterDialog = [&] {
        if (FindWindowA(nullptr, "Add Category")) return;
        KillTimer(nullptr, timer);
        entries = static_cast<int>(SendMessageA(H(w.Combo1), CB_GETCOUNT, 0, 0));
        Press(w.cmdCancel2);
    };
    Then([&] { timer = SetTimer(nullptr, 0, 50, Tick); });
    Next();
    w.form.ShowModal(owner);
    EXPECT_EQ(entries, 3);
    EXPECT_NE(tree.Find("Tools"), nullptr);
    EXPECT_NE(Stored().find("[Category2]\r\nName=Tools\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quopa
