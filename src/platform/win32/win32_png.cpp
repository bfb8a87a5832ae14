#include "platform/win32/win32_png.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

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

// The encoder writes into a stream in memory, whose bytes are then copied out.
bool CopyOut(IStream* stream, std::vector<std::uint8_t>& bytes) {
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > 0x7FFFFFFF) return false;
    bytes.resize(static_cast<std::size_t>(status.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    ULONG read = 0;
    return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) &&
           SUCCEEDED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) && read == bytes.size();
}

bool Encode(const ScreenImage& image, std::vector<std::uint8_t>& bytes) {
    Owned<IWICImagingFactory> factory;
    Owned<IStream> stream;
    Owned<IWICBitmapEncoder> encoder;
    Owned<IWICBitmapFrameEncode> frame;
    Owned<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out())) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
        FAILED(encoder->Initialize(stream.object, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.out(), options.out())) || FAILED(frame->Initialize(options.object))) {
        return false;
    }
    return WriteRows(frame.object, image) && SUCCEEDED(encoder->Commit()) && CopyOut(stream.object, bytes);
}

// Sides beyond 16 bits are refused before memory for the pixels is taken.
bool Decode(std::span<const std::uint8_t> bytes, TemplateImage& image) {
    Owned<IWICImagingFactory> factory;
    Owned<IWICStream> stream;
    Owned<IWICBitmapDecoder> decoder;
    Owned<IWICBitmapFrameDecode> frame;
    Owned<IWICBitmapSource> converted;
    UINT width = 0, height = 0;
    if (bytes.size() > MAXDWORD ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.out())) ||
        FAILED(decoder->Initialize(stream.object, WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.out())) || FAILED(frame->GetSize(&width, &height)) || width < 1 ||
        height < 1 || width > 0xFFFF || height > 0xFFFF ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.object, converted.out()))) {
        return false;
    }
    const std::uint64_t size = 4 * static_cast<std::uint64_t>(width) * height;
    if (size > 0xFFFFFFFF) return false;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(size));
    return SUCCEEDED(converted->CopyPixels(nullptr, 4 * width, static_cast<UINT>(size), image.pixels.data()));
}

}  // namespace

bool DecodePng(std::span<const std::uint8_t> bytes, TemplateImage& image) {
    image = {};
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    const bool decoded = Decode(bytes, image);
    if (initialised) CoUninitialize();
    if (!decoded) image = {};
    return decoded;
}

bool EncodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (image.width <= 0 || image.height <= 0) return false;
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    const bool encoded = Encode(image, bytes);
    if (initialised) CoUninitialize();
    if (!encoded) bytes.clear();
    return encoded;
}

}  // namespace ml
