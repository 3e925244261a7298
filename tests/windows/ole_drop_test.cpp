// What the tree's drop target makes of the data a shell or a browser drags in, through the
// system's own drag loop. What each kind of data becomes is checked headless.
#include <windows.h>

#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/tree_view.h"
#include "ui/win32/win32_backend.h"

namespace {

// Lets go as soon as the drag loop has looked under the pointer once.
class LetGo final : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        return ++asked_ > 2 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    int asked_ = 0;
};

std::string Wide(const wchar_t* text) {
    return std::string(reinterpret_cast<const char*>(text), (wcslen(text) + 1) * sizeof(wchar_t));
}

class OleDrop : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({.caption = "Drop", .clientWidth = 4000, .clientHeight = 3000});
        tree.Create(form, {.control = {.bounds = {120, 120, 3600, 2600}}, .acceptDrops = true});
        tree.Add("", "Games", "Games", "");
        tree.onDropQuery = [](const ui::DropEvent& e) { return e.text != "Lunch at noon"; };
        tree.onDropped = [this](const ui::DropEvent& e) { dropped.push_back(e); };
        form.Show();
        // The view takes OLE drops only once it is up.
        for (const DWORD end = GetTickCount() + 500; GetTickCount() < end; Sleep(10))
            backend.DoEvents();
    }
    // Drags what another program offers, one block per format, as the clipboard holds it,
    // from a point inside the tree's first row; the effect the drop ended with.
    DWORD Drag(const std::vector<std::pair<UINT, std::string>>& offered) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        for (const auto& [format, bytes] : offered) {
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
            GlobalUnlock(memory);
            SetClipboardData(format, memory);
        }
        CloseClipboard();
        IDataObject* data = nullptr;
        EXPECT_EQ(S_OK, OleGetClipboard(&data));
        POINT p{40, 8};
        ClientToScreen(reinterpret_cast<HWND>(tree.Handle()), &p);
        SetCursorPos(p.x, p.y);
        backend.DoEvents();
        LetGo source;
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
        data->Release();
        backend.DoEvents();
        return effect;
    }
    static UINT Format(const char* name) { return RegisterClipboardFormatA(name); }

    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::TreeView tree;
    std::vector<ui::DropEvent> dropped;
};

TEST_F(OleDrop, ABrowsersLinkAndTheShellsFilesArriveAndUnwantedTextIsRefused) {
    std::string group(sizeof(FILEGROUPDESCRIPTORW), '\0');
    auto* descriptor = reinterpret_cast<FILEGROUPDESCRIPTORW*>(group.data());
    descriptor->cItems = 1;
    wcscpy(descriptor->fgd[0].cFileName, L"News.url");
    EXPECT_EQ(DWORD{DROPEFFECT_LINK},
              Drag({{Format("UniformResourceLocatorW"), Wide(L"https://news.example/caf\u00e9")},
                    {Format("FileGroupDescriptorW"), group},
                    {CF_UNICODETEXT, Wide(L"https://news.example/other")}}))
        << "a link, never a move";
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ("https://news.example/caf\xC3\xA9", dropped[0].address);
    EXPECT_EQ("News.url", dropped[0].linkFile);
    EXPECT_TRUE(dropped[0].text.empty() && dropped[0].paths.empty());
    EXPECT_EQ(tree.Find("Games"), tree.NodeAt(dropped[0].x, dropped[0].y));

    dropped.clear();
    std::string list =
        std::string(sizeof(DROPFILES), '\0') + "C:\\a.exe" + '\0' + "C:\\b" + '\0' + '\0';
    reinterpret_cast<DROPFILES*>(list.data())->pFiles = sizeof(DROPFILES);
    EXPECT_EQ(DWORD{DROPEFFECT_LINK}, Drag({{CF_HDROP, list}}));
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\b"}), dropped[0].paths);
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag({{CF_TEXT, std::string("Lunch at noon") + '\0'}}));
    EXPECT_EQ(1u, dropped.size());
}

}  // namespace
