#include "platform/win32/win32_pictures.h"

#include <windows.h>

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <memory>

#include "platform/picture_header.h"

namespace platform {
namespace {

struct Releaser {
    void operator()(IUnknown* p) const { p->Release(); }
};
template <class T>
using ComRef = std::unique_ptr<T, Releaser>;

struct DeleteDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteGdi {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// OLE may be in use on this thread already, in either model; balance only our own call.
class ComScope {
  public:
    ComScope() : ours_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (ours_) CoUninitialize();
    }

  private:
    bool ours_;
};

ComRef<IPicture> Decode(const std::string& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &raw))) {
        GlobalFree(memory);
        return nullptr;
    }
    ComRef<IStream> stream(raw);
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture))))
        return nullptr;
    return ComRef<IPicture>(picture);
}

// The picture at its own size in screen pixels, over the button-face colour.
bool Render(IPicture& picture, Image& image) {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(picture.get_Width(&hmWidth)) || FAILED(picture.get_Height(&hmHeight))) return false;
    std::unique_ptr<HDC__, DeleteDc> dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    // OLE measured the picture at the screen's resolution; the same gives back its pixels.
    const int width = MulDiv(hmWidth, GetDeviceCaps(dc.get(), LOGPIXELSX), 2540);
    const int height = MulDiv(hmHeight, GetDeviceCaps(dc.get(), LOGPIXELSY), 2540);
    if (width <= 0 || height <= 0 || static_cast<std::int64_t>(width) * height > kMaxImagePixels)
        return false;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as Image keeps its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<void, DeleteGdi> dib(
        CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return false;
    HGDIOBJ old = SelectObject(dc.get(), dib.get());
    const RECT all = {0, 0, width, height};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    // Source rectangle in HIMETRIC, upside down as the picture object expects.
    const bool drawn = SUCCEEDED(
        picture.Render(dc.get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
    GdiFlush();
    SelectObject(dc.get(), old);
    if (!drawn) return false;

    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    image.width = width;
    image.height = height;
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return true;
}

}  // namespace

bool Win32Pictures::Load(const std::string& path, Image& image) {
    const FileInfo info = files_.Query(path);
    std::string bytes;
    // The system's decoders trust what a header claims (a 441-byte JPEG claiming
    // 65500 x 65500 has ended the process inside one), so they see only what fits.
    if (info.kind != PathKind::File || info.size > kMaxPictureBytes ||
        !files_.ReadAll(path, bytes) || !ReadPictureHeader(bytes))
        return false;
    ComScope com;
    ComRef<IPicture> picture = Decode(bytes);
    std::string().swap(bytes);  // decoded: the file's copy is no longer needed
    return picture && Render(*picture, image);
}

}  // namespace platform
