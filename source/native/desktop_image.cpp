// The desktop saved as a PNG file, encoded by the system's imaging
// components (reached through COM, so nothing more is linked).
#include <windows.h>
#include <wincodec.h>

#include <string>

#include "system_facts.hpp"
#include "wide_text.hpp"

namespace wl {

namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

struct ScreenBitmap {
    HBITMAP bitmap = nullptr;
    ~ScreenBitmap() {
        if (bitmap) DeleteObject(bitmap);
    }
};

bool captureScreen(ScreenBitmap& shot, int width, int height) {
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC memory = CreateCompatibleDC(screen);
    shot.bitmap = CreateCompatibleBitmap(screen, width, height);
    bool ok = memory && shot.bitmap;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, shot.bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}


}  // namespace

bool SAVEDESKTOP(const std::string& file) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    ScreenBitmap shot;
    if (width <= 0 || height <= 0 || !captureScreen(shot, width, height)) return false;

    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICBitmap> source;
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        const std::wstring path = AnsiToWideAlloc(file);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))) &&
             SUCCEEDED(factory->CreateBitmapFromHBITMAP(shot.bitmap, nullptr, WICBitmapIgnoreAlpha, source.out())) &&
             SUCCEEDED(factory->CreateStream(stream.out())) &&
             SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
             SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) &&
             SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
             SUCCEEDED(encoder->CreateNewFrame(frame.out(), nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
             SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
             SUCCEEDED(frame->SetPixelFormat(&format)) && SUCCEEDED(frame->WriteSource(source.p, nullptr)) &&
             SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return ok;
}

}  // namespace wl
