#include "platform/win32/win32_png.h"

#include <windows.h>
#include <wincodec.h>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
struct Owned {
    T* object = nullptr;
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() {
        if (object != nullptr) object->Release();
    }
    T* operator->() const { return object; }
    T** out() { return &object; }
};

// The image is stored bottom row first, which the frame takes one row at a time.
bool WriteRows(IWICBitmapFrameEncode* frame, const ScreenImage& image) {
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height))) ||
        FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        return false;
    }
    const UINT stride = static_cast<UINT>(image.rowSize);
    for (int y = image.height - 1; y >= 0; --y) {
        BYTE* row = const_cast<BYTE*>(image.pixels.data()) + static_cast<std::size_t>(y) * stride;
        if (FAILED(frame->WritePixels(1, stride, stride, row))) return false;
    }
    return SUCCEEDED(frame->Commit());
}

bool Encode(const std::wstring& file, const ScreenImage& image) {
    Owned<IWICImagingFactory> factory;
    Owned<IWICStream> stream;
    Owned<IWICBitmapEncoder> encoder;
    Owned<IWICBitmapFrameEncode> frame;
    Owned<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
        FAILED(encoder->Initialize(stream.object, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.out(), options.out())) || FAILED(frame->Initialize(options.object))) {
        return false;
    }
    return WriteRows(frame.object, image) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool WritePngFile(const std::string& file, const ScreenImage& image) {
    if (image.width <= 0 || image.height <= 0) return false;
    const std::wstring wide = ToWide(CP_ACP, file);
    if (wide.empty()) return false;
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    const bool written = Encode(wide, image);
    if (initialised) CoUninitialize();
    if (!written) DeleteFileW(wide.c_str());
    return written;
}

}  // namespace ml
