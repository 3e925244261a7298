#include "platform/win32/dropped_files.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/win32/win32_code_page.h"

namespace platform::win32 {

namespace {

// The shell's names (CFSTR_INETURLW and the rest), spelled out: the generic macros follow
// UNICODE, and both forms are asked for.
constexpr wchar_t kUrlWide[] = L"UniformResourceLocatorW";
constexpr wchar_t kUrlAnsi[] = L"UniformResourceLocator";
constexpr wchar_t kFilesWide[] = L"FileGroupDescriptorW";
constexpr wchar_t kFilesAnsi[] = L"FileGroupDescriptor";

// A page's whole selection dragged as text is no address: it is not even read.
constexpr SIZE_T kMaxTextBytes = 64 * 1024;

std::vector<std::string> PathsOf(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) continue;
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        if (!path.empty()) paths.push_back(Utf8(path));
    }
    return paths;
}

// One format of the object in global memory, given back when it goes.
class Medium {
  public:
    Medium(IDataObject& data, CLIPFORMAT format) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        held_ = SUCCEEDED(data.GetData(&wanted, &medium_));
        if (held_ && (medium_.tymed != TYMED_HGLOBAL || !medium_.hGlobal)) Release();
    }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;
    ~Medium() { Release(); }
    HGLOBAL get() const { return held_ ? medium_.hGlobal : nullptr; }
    // The bytes, none when there are more than `limit`.
    std::string Bytes(SIZE_T limit) const {
        const SIZE_T size = held_ ? GlobalSize(medium_.hGlobal) : 0;
        if (size == 0 || size > limit) return {};
        const void* p = GlobalLock(medium_.hGlobal);
        if (!p) return {};
        std::string bytes(static_cast<const char*>(p), size);
        GlobalUnlock(medium_.hGlobal);
        return bytes;
    }

  private:
    void Release() {
        if (held_) ReleaseStgMedium(&medium_);
        held_ = false;
    }
    STGMEDIUM medium_{};
    bool held_ = false;
};

CLIPFORMAT Format(const wchar_t* name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
}

// Text up to its terminating NUL, which the memory may lack.
std::string AnsiText(const std::string& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}
std::wstring WideText(const std::string& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

// The first of a text's two forms that the object offers, in UTF-8.
std::string TextIn(IDataObject& data, CLIPFORMAT wideFormat, CLIPFORMAT ansiFormat) {
    const std::wstring wide = WideText(Medium(data, wideFormat).Bytes(kMaxTextBytes));
    if (std::string text = BytesFrom(CP_UTF8, wide); !text.empty()) return text;
    const std::string ansi = AnsiText(Medium(data, ansiFormat).Bytes(kMaxTextBytes));
    return BytesFrom(CP_UTF8, WideFrom(CP_ACP, ansi));
}

// The first file name of a group descriptor, wide or narrow: empty when it names none,
// nothing when the object does not offer that form.
template <typename Group, typename Char>
std::optional<std::basic_string<Char>> FirstFileName(IDataObject& data, const wchar_t* format) {
    Medium medium(data, Format(format));
    const auto* group =
        static_cast<const Group*>(medium.get() ? GlobalLock(medium.get()) : nullptr);
    if (!group) return std::nullopt;
    std::basic_string<Char> name;
    if (GlobalSize(medium.get()) >= sizeof(Group) && group->cItems > 0) {
        const Char* file = group->fgd[0].cFileName;
        name.assign(file, std::find(file, file + MAX_PATH, Char{}));
    }
    GlobalUnlock(medium.get());
    return name;
}

// The name of the first file a browser describes: for a link, the shortcut it would save.
std::string LinkFileIn(IDataObject& data) {
    if (const auto wide = FirstFileName<FILEGROUPDESCRIPTORW, wchar_t>(data, kFilesWide))
        return Utf8(*wide);
    return BytesFrom(
        CP_UTF8,
        WideFrom(CP_ACP, FirstFileName<FILEGROUPDESCRIPTORA, char>(data, kFilesAnsi).value_or("")));
}

}  // namespace

DroppedData TakeDroppedFiles(HDROP drop) {
    DroppedData dropped;
    dropped.paths = PathsOf(drop);
    DragQueryPoint(drop, &dropped.point);
    DragFinish(drop);
    return dropped;
}

DroppedData ReadDataObject(IDataObject& data) {
    DroppedData dropped;
    if (Medium files(data, CF_HDROP); files.get()) {
        dropped.paths = PathsOf(static_cast<HDROP>(files.get()));
        if (!dropped.paths.empty()) return dropped;
    }
    // https://learn.microsoft.com/windows/win32/shell/clipboard#cfstr_ineturl
    dropped.address = TextIn(data, Format(kUrlWide), Format(kUrlAnsi));
    if (!dropped.address.empty()) {
        dropped.linkFile = LinkFileIn(data);
        return dropped;
    }
    dropped.text = TextIn(data, CF_UNICODETEXT, CF_TEXT);
    return dropped;
}

}  // namespace platform::win32
