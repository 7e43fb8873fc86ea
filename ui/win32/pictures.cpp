// SPDX-License-Identifier: MIT
#include "pictures.h"

#include "resource.h"

#include <wincodec.h>

#include <cstring>

namespace zorvane::win32 {
namespace {

// The bytes of a resource; they live as long as the module.
bool ResourceBytes(HINSTANCE module, int id, const BYTE *&data, DWORD &size)
{
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!info)
        return false;
    HGLOBAL loaded = LoadResource(module, info);
    data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : nullptr;
    size = SizeofResource(module, info);
    return data && size > 0;
}

} // namespace

DecodedPicture LoadPicture(HINSTANCE module, int id, int dpi)
{
    DecodedPicture picture;
    const BYTE *data = nullptr;
    DWORD size = 0;
    // Where a rendition is missing, the next smaller one.
    int rendition = forms::RenditionFor(dpi);
    while (!ResourceBytes(module, id + (rendition - 1) * IDR_RENDITION_STEP, data, size))
        if (--rendition < 1)
            return picture;

    // The first factory works from Windows 7 on.
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void **>(factory.Put()))))
        return picture;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    // The stream only reads; WIC's signature takes a non-const buffer.
    if (FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE *>(data), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) ||
        FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return picture;

    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)))
        return picture;
    IWICBitmapSource *source = converter.Get();
    ComPtr<IWICBitmapScaler> scaler;
    const int drawnFor = forms::kDefaultDpi * rendition;
    const UINT scaledWidth = static_cast<UINT>(MulDiv(static_cast<int>(width), dpi, drawnFor));
    const UINT scaledHeight = static_cast<UINT>(MulDiv(static_cast<int>(height), dpi, drawnFor));
    if (scaledWidth != width || scaledHeight != height) {
        if (FAILED(factory->CreateBitmapScaler(scaler.Put())) ||
            FAILED(scaler->Initialize(converter.Get(), scaledWidth, scaledHeight,
                                      WICBitmapInterpolationModeFant)))
            return picture;
        source = scaler.Get();
        width = scaledWidth;
        height = scaledHeight;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height); // top-down, like WIC's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return picture;
    const UINT stride = width * 4;
    if (FAILED(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE *>(bits))))
        return picture;
    picture.bitmap = std::move(bitmap);
    picture.size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    return picture;
}

} // namespace zorvane::win32
