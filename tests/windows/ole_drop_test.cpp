// What the tree's drop target makes of the data a shell or a browser drags in, through the
// system's own drag loop. What each kind of data becomes is checked headless.
#include <windows.h>

#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ui/form.h"
#include "ui/tree_view.h"
#include "ui/win32/win32_backend.h"

namespace {

// Data in global memory, one block per format, as another program would offer it.
class Data final : public IDataObject {
  public:
    void Add(const char* format, std::string bytes) {
        Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatA(format)), std::move(bytes));
    }
    void Add(CLIPFORMAT format, std::string bytes) {
        formats_.push_back({format, std::move(bytes)});
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
        const std::string* bytes = Find(*wanted);
        if (!bytes) return DV_E_FORMATETC;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
        std::memcpy(GlobalLock(memory), bytes->data(), bytes->size());
        GlobalUnlock(memory);
        *medium = {TYMED_HGLOBAL, {.hGlobal = memory}, nullptr};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
        return Find(*wanted) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
        std::vector<FORMATETC> list;
        for (const auto& [format, bytes] : formats_)
            list.push_back({format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    const std::string* Find(const FORMATETC& wanted) const {
        for (const auto& [format, bytes] : formats_)
            if (format == wanted.cfFormat && (wanted.tymed & TYMED_HGLOBAL)) return &bytes;
        return nullptr;
    }
    std::vector<std::pair<CLIPFORMAT, std::string>> formats_;
};

// Lets go as soon as the drag loop has looked under the pointer once.
class LetGo final : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
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
        form.Create({.caption = "Drop",
                     .clientWidth = 4000,
                     .clientHeight = 3000,
                     .className = "QuopaOleDropTest"});
        tree.Create(form, {.control = {.bounds = {120, 120, 3600, 2600}}, .acceptDrops = true});
        tree.Add("", "Games", "Games", "");
        tree.onDropQuery = [](const ui::DropEvent& e) { return e.text != "Lunch at noon"; };
        tree.onDropped = [this](const ui::DropEvent& e) { dropped.push_back(e); };
        form.Show();
        // The view takes OLE drops only once it is up.
        for (const DWORD end = GetTickCount() + 500; GetTickCount() < end;) {
            backend.DoEvents();
            Sleep(10);
        }
    }
    // Drags `data` from a point inside the tree's first row; the effect the drop ended with.
    DWORD Drag(Data& data) {
        POINT p{40, 8};
        ClientToScreen(reinterpret_cast<HWND>(tree.Handle()), &p);
        SetCursorPos(p.x, p.y);
        backend.DoEvents();
        LetGo source;
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
        backend.DoEvents();
        return effect;
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::TreeView tree;
    std::vector<ui::DropEvent> dropped;
};

TEST_F(OleDrop, ABrowsersLinkArrivesWithItsAddressAndShortcutName) {
    Data link;
    link.Add("UniformResourceLocatorW", Wide(L"https://news.example/caf\u00e9"));
    link.Add("UniformResourceLocator", "https://news.example/caf%C3%A9");
    std::string group(sizeof(FILEGROUPDESCRIPTORW), '\0');
    auto* descriptor = reinterpret_cast<FILEGROUPDESCRIPTORW*>(group.data());
    descriptor->cItems = 1;
    wcscpy(descriptor->fgd[0].cFileName, L"News.url");
    link.Add("FileGroupDescriptorW", group);
    link.Add(CF_UNICODETEXT, Wide(L"https://news.example/other"));

    EXPECT_EQ(DWORD{DROPEFFECT_LINK}, Drag(link)) << "a link, never a move";
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ("https://news.example/caf\xC3\xA9", dropped[0].address);
    EXPECT_EQ("News.url", dropped[0].linkFile);
    EXPECT_TRUE(dropped[0].text.empty() && dropped[0].paths.empty());
    EXPECT_EQ(tree.Find("Games"), tree.NodeAt(dropped[0].x, dropped[0].y));
}

TEST_F(OleDrop, TheShellsFilesArriveAsPathsAndUnwantedTextIsRefused) {
    Data files;
    std::string list =
        std::string(sizeof(DROPFILES), '\0') + "C:\\a.exe" + '\0' + "C:\\b" + '\0' + '\0';
    reinterpret_cast<DROPFILES*>(list.data())->pFiles = sizeof(DROPFILES);
    files.Add(CF_HDROP, list);
    files.Add(CF_TEXT, std::string("http://site.example") + '\0');
    EXPECT_EQ(DWORD{DROPEFFECT_LINK}, Drag(files));
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\b"}), dropped[0].paths);

    Data text;
    text.Add(CF_TEXT, std::string("Lunch at noon") + '\0');
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(text));
    EXPECT_EQ(1u, dropped.size());
}

}  // namespace
