// The pass over the items' own files on the real tree view and image list: a program's
// own icon reaches the view, and a missing item is drawn grey.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "launch/launcher.h"
#include "platform/win32/win32_services.h"
#include "store/data_files.h"
#include "tree/tree_loader.h"
#include "ui/form.h"
#include "ui/win32/win32_backend.h"

namespace {

constexpr COLORREF kProgramColour = RGB(0x20, 0x30, 0xC0);  // the icon program's only colour

std::string BesideThisProgram(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

// The 16 x 16 pixels an icon draws over white.
std::vector<COLORREF> Pixels(HICON icon) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

class ItemFilePassWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryA(folder.c_str(), nullptr);
        state.LauncherDrive = folder.substr(0, 2);
        ui::FormArgs window;
        window.caption = "Item pass";
        window.clientWidth = 6000;
        window.clientHeight = 6000;
        form.Create(window);
        tree.Create(form, {{"", {120, 120, 3615, 4935}}});
        icons.Create(form);
        apps.Create(run, 100, 1, "App");
        form.Show();
    }
    void TearDown() override {
        DeleteFileA(appsFile.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    void LoadAndPass(const std::string& apps) {
        std::ofstream(appsFile, std::ios::binary) << apps;
        loader.IntList();
        for (int slices = 0; loader.Pass().Pending() && slices < 100; ++slices)
            loader.ContinuePass();
    }

    static std::string TempFolder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        return std::string(temp) + "quopa-item-pass";
    }

    const std::string folder = TempFolder();
    platform::Win32Services system{WM_APP + 1};
    quopa::modINI ini{system.files};
    quopa::ProgramState state;
    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::TreeView tree;
    ui::ImageList icons;
    ui::MenuItem run;
    ui::MenuArray apps;
    const std::string appsFile = quopa::AppsFile(folder);
    quopa::Launcher launcher{ini,    system.shell, system.desktop, state,
                             folder, appsFile,     &system.files};
    quopa::TreeLoader loader{
        {tree, icons, run, apps}, ini, launcher, system.sys, state, appsFile, nullptr};
};

TEST_F(ItemFilePassWindow, AProgramShowsTheIconItCarriesAndAMissingItemIsGrey) {
    const std::string program = BesideThisProgram("quopa_icon_program.exe");
    LoadAndPass("[Application1]\r\nName=Own\r\nPath=" + program +
                "\r\nCategory=Quopa\r\nType=0\r\n"
                "[Application2]\r\nName=Gone\r\nPath=" +
                folder + "\\gone.exe\r\nCategory=Quopa\r\nType=0\r\n");

    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HICON resource = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ASSERT_NE(resource, nullptr);
    const std::vector<COLORREF> expected = Pixels(resource);
    DestroyIcon(resource);
    FreeLibrary(module);
    ASSERT_EQ(expected[8 * 16 + 8], kProgramColour);

    HWND view = reinterpret_cast<HWND>(tree.Handle());
    ui::TreeNode* own = tree.Find("application1");
    ASSERT_NE(own, nullptr);
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = reinterpret_cast<HTREEITEM>(own->PeerItem());
    ASSERT_TRUE(SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(view, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    HICON shown = ImageList_GetIcon(list, item.iImage, ILD_NORMAL);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(Pixels(shown), expected) << "the view's picture is the program's own icon";
    DestroyIcon(shown);

    // What the view asks its parent before drawing each row.
    ui::TreeNode* gone = tree.Find("application2");
    ASSERT_NE(gone, nullptr);
    EXPECT_TRUE(gone->Greyed());
    EXPECT_FALSE(own->Greyed());
    auto textColour = [&](ui::TreeNode* node) {
        NMTVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = view;
        draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(view));
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(node->PeerItem());
        draw.nmcd.lItemlParam = reinterpret_cast<LPARAM>(node);
        draw.clrText = RGB(0, 0, 0);
        SendMessageA(GetParent(view), WM_NOTIFY, draw.nmcd.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&draw));
        return draw.clrText;
    };
    EXPECT_EQ(textColour(gone), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(textColour(own), RGB(0, 0, 0));
}

}  // namespace
