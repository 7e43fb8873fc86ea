// SPDX-License-Identifier: MIT
#include "support.h"

#include "handles.h"

#include <wincodec.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zorvane::win32::testing {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        Deliver(message);
}

void PressKey(int key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = key & kShift ? BYTE{0x80} : BYTE{0};
    keys[VK_CONTROL] = key & kCtrl ? BYTE{0x80} : BYTE{0};
    SetKeyboardState(keys);
    Key(GetFocus(), key & 0xFFFF, true);
    Key(GetFocus(), key & 0xFFFF, false);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

void Key(HWND to, int key, bool down)
{
    // A released key's flags: its previous state down, and in transition.
    PostMessageW(to, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(key),
                 down ? 1 : static_cast<LPARAM>(0xC0000001u));
    Pump();
}

void CopyAllOf(HWND field, int key)
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageW(field, EM_SETSEL, 0, -1);
    key ? PressKey(key) : void(SendMessageW(field, WM_COPY, 0, 0));
    Pump();
}

std::vector<std::string> Clipboard()
{
    if (!OpenClipboard(nullptr))
        return {"cannot open"};
    std::vector<std::string> found;
    for (const wchar_t *name : {L"", L"ExcludeClipboardContentFromMonitorProcessing",
                                L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        const HANDLE data =
            GetClipboardData(*name ? RegisterClipboardFormatW(name) : CF_UNICODETEXT);
        const void *bytes = data && GlobalSize(data) >= sizeof(DWORD) ? GlobalLock(data) : nullptr;
        found.push_back(!bytes  ? "absent"
                        : *name ? std::to_string(*static_cast<const DWORD *>(bytes))
                                : Narrow(static_cast<const wchar_t *>(bytes)));
        if (bytes)
            GlobalUnlock(data);
    }
    CloseClipboard();
    return found;
}

std::wstring Beside(const std::wstring &name)
{
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.rfind(L'\\') + 1) + name;
}

RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

std::array<LONG, 4> Edges(const RECT &r)
{
    return {r.left, r.top, r.right, r.bottom};
}

std::array<LONG, 4> Frame(HWND window, bool client)
{
    RECT r;
    client ? GetClientRect(window, &r) : GetWindowRect(window, &r);
    return Edges(r);
}

Snapshot::Snapshot(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const auto [left, top, right, bottom] = Frame(window, true);
    width = right;
    height = bottom;
    HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    DeleteDC(memory);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB};
    pixels.resize(static_cast<std::size_t>(width * height));
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    ReleaseDC(window, screen);
    for (COLORREF &pixel : pixels) // read as 0x00RRGGBB
        pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
}

int Snapshot::Count(const RECT &area, COLORREF colour) const
{
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width, area.right); ++x)
            count += At(x, y) == colour;
    return count;
}

void ExpectPixels(const Snapshot &shot, std::initializer_list<Pixel> expected)
{
    for (const auto &[what, x, y, colour] : expected)
        EXPECT_EQ(Rgb(shot.At(x, y)), Rgb(colour))
            << what << " at " << x << ", " << y << std::hex << ": " << Rgb(shot.At(x, y));
}

// The picture `name` as WIC reads it, in the snapshot's colours; empty if unreadable.
std::vector<COLORREF> Reference(const std::wstring &name, UINT &width, UINT &height)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    std::vector<COLORREF> pixels;
    const std::wstring path = Widen(ZORVANE_REFERENCE_DIR "/") + name + L".png";
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void **>(factory.Put()))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) ||
        FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)))
        return pixels;
    pixels.resize(std::size_t{width} * height);
    converter->CopyPixels(nullptr, width * 4, width * height * 4,
                          reinterpret_cast<BYTE *>(pixels.data()));
    for (COLORREF &pixel : pixels) // read as 0x00RRGGBB
        pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
    return pixels;
}

void ExpectLooksLike(const Snapshot &shot, const std::wstring &name)
{
    UINT width = 0, height = 0;
    if (Reference(name, width, height) == shot.pixels && int(width) == shot.width)
        return;
    std::ofstream saved(std::filesystem::path(Beside(name + L".ppm")), std::ios::binary);
    saved << "P6 " << shot.width << ' ' << shot.height << " 255\n";
    for (const COLORREF pixel : shot.pixels)
        saved << char(GetRValue(pixel)) << char(GetGValue(pixel)) << char(GetBValue(pixel));
    ADD_FAILURE() << Narrow(name) << " differs from its reference: see " << Narrow(name)
                  << ".ppm beside the tests";
}

} // namespace zorvane::win32::testing

// On one thread, with COM, the common controls and the window classes, as the program has them.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const zorvane::win32::Session session(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
