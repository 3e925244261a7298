#include "platform/win32/win32_pictures.h"

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <memory>

#include "platform/picture_header.h"
#include "platform/win32/com.h"

namespace platform {
namespace {

// Each avatar pixel averages this many source pixels a side: the system's scaler may pick
// single pixels (Wine's does), and averaging a few makes a large photo shrink without sparkle.
constexpr UINT kSamplesPerPixel = 8;

PictureRead Failed(HRESULT hr) {
    return hr == E_OUTOFMEMORY ? PictureRead::TooLarge : PictureRead::NotAPicture;
}

// Decodes through a scaler straight to a few times the target's size, so only the decoder
// itself ever holds the picture whole, and then averages down.
PictureRead Decode(const std::string& bytes, int width, int height, Image& image) {
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    ComRef<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, ComOut(factory).Any());
    if (SUCCEEDED(hr)) hr = factory->CreateStream(ComOut(stream));
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()));
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              ComOut(decoder));
    if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, ComOut(frame));
    UINT fullWidth = 0, fullHeight = 0;
    if (SUCCEEDED(hr)) hr = frame->GetSize(&fullWidth, &fullHeight);
    if (FAILED(hr)) return Failed(hr);
    // The decoder may size the picture otherwise than the header we read (a GIF by its screen).
    if (static_cast<std::int64_t>(fullWidth) * fullHeight > kMaxImagePixels)
        return PictureRead::TooLarge;
    // Premultiplied: a transparent pixel adds nothing, the button face shows through.
    hr = factory->CreateFormatConverter(ComOut(converter));
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    const UINT w = std::min(fullWidth, kSamplesPerPixel * width);
    const UINT h = std::min(fullHeight, kSamplesPerPixel * height);
    IWICBitmapSource* source = converter.get();
    ComRef<IWICBitmapScaler> scaler;
    if (SUCCEEDED(hr) && (w != fullWidth || h != fullHeight)) {
        hr = factory->CreateBitmapScaler(ComOut(scaler));
        if (SUCCEEDED(hr))
            hr = scaler->Initialize(converter.get(), w, h, WICBitmapInterpolationModeFant);
        source = scaler.get();
    }
    Image sampled{static_cast<int>(w), static_cast<int>(h), {}};
    if (SUCCEEDED(hr)) sampled.pixels.resize(static_cast<std::size_t>(w) * h);
    // Row by row: for a whole rectangle Wine's scaler asks its source for every row the
    // rectangle spans, converted, which is the whole picture twice over.
    for (UINT y = 0; y < h && SUCCEEDED(hr); ++y) {
        const WICRect row = {0, static_cast<INT>(y), static_cast<INT>(w), 1};
        hr = source->CopyPixels(&row, w * 4, w * 4,
                                reinterpret_cast<BYTE*>(&sampled.pixels[std::size_t{y} * w]));
    }
    if (FAILED(hr)) return Failed(hr);
    const DWORD face = GetSysColor(COLOR_BTNFACE);  // 0x00BBGGRR
    for (std::uint32_t& p : sampled.pixels) {
        const std::uint32_t clear = 255 - (p >> 24);
        std::uint32_t rgb = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t under = (face >> (16 - shift)) & 0xFF;
            rgb |= std::min(255u, ((p >> shift) & 0xFF) + (under * clear + 127) / 255) << shift;
        }
        p = rgb;
    }
    image = Stretch(sampled, width, height);
    return image.Empty() ? PictureRead::NotAPicture : PictureRead::Ok;
}

}  // namespace

PictureRead Win32Pictures::Load(const std::string& path, int width, int height, Image& image) {
    if (width <= 0 || height <= 0) return PictureRead::NotAPicture;
    // The system's decoders trust what a header claims (a 441-byte JPEG claiming
    // 65500 x 65500 has ended the process inside one), so they see only what fits.
    std::string bytes;
    const PictureRead header = ReadPictureFile(files_, path, bytes);
    if (header != PictureRead::Ok) return header;
    ComScope com;
    return Decode(bytes, width, height, image);
}

}  // namespace platform
