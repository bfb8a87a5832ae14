#include "platform/posix/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

#include "platform/posix/bound_symbol.h"

namespace ml {

namespace {

#define ML_PNG_FUNCTIONS(F)                                                                                  \
    F(png_create_write_struct) F(png_create_info_struct) F(png_destroy_write_struct) F(png_set_longjmp_fn)      \
    F(png_set_write_fn) F(png_get_io_ptr) F(png_error) F(png_longjmp) F(png_set_IHDR) F(png_set_bgr)             \
    F(png_write_info) F(png_write_image) F(png_write_end) F(png_create_read_struct) F(png_destroy_read_struct)   \
    F(png_set_read_fn) F(png_set_user_limits) F(png_read_info) F(png_get_IHDR) F(png_get_valid) F(png_set_expand) \
    F(png_set_strip_16) F(png_set_gray_to_rgb) F(png_set_filler) F(png_set_interlace_handling)                  \
    F(png_read_update_info) F(png_get_rowbytes) F(png_read_image)

// libpng is opened at the first PNG capture or picture, like the X libraries at the
// first desktop call: a script that uses no PNG file never maps it or zlib.
#define ML_PNG_MEMBER(name) decltype(&::name) name = nullptr;
struct PngLibrary {
    ML_PNG_FUNCTIONS(ML_PNG_MEMBER)
};
#undef ML_PNG_MEMBER

ML_LIBRARY_LOADER(PngLibrary, "libpng16.so.16", ML_PNG_FUNCTIONS)

const PngLibrary* OpenPng() {
    static const Loaded<PngLibrary> library = LoadPngLibrary();
    return library.ifComplete();
}

bool Append(std::vector<std::uint8_t>& bytes, const png_byte* data, std::size_t length) {
    try {
        bytes.insert(bytes.end(), data, data + length);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// libpng calls back through C frames, which no exception may cross: running out of
// memory becomes libpng's own failure. The callbacks run only once libpng is open.
void WriteToBytes(png_structp write, png_bytep data, std::size_t length) {
    const PngLibrary& png = *OpenPng();
    if (!Append(*static_cast<std::vector<std::uint8_t>*>(png.png_get_io_ptr(write)), data, length)) {
        png.png_error(write, "out of memory");
    }
}

void FlushNothing(png_structp) {}

// Without these libpng prints its messages on standard error. A failure still leaves
// through the long jump, and is reported by the caller in its own words.
void FailSilently(png_structp write, png_const_charp) { OpenPng()->png_longjmp(write, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports failure by a long jump to the point set here; nothing between the
// two owns a resource that a destructor would have to release.
bool Encode(const PngLibrary& png, const ScreenImage& image, png_bytep* rows, std::vector<std::uint8_t>& bytes) {
    png_structp write = png.png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailSilently, IgnoreWarning);
    if (write == nullptr) return false;
    png_infop info = png.png_create_info_struct(write);
    if (info == nullptr || setjmp(*png.png_set_longjmp_fn(write, std::longjmp, sizeof(std::jmp_buf))) != 0) {
        png.png_destroy_write_struct(&write, &info);
        return false;
    }
    png.png_set_write_fn(write, &bytes, WriteToBytes, FlushNothing);
    png.png_set_IHDR(write, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png.png_write_info(write, info);
    // The image holds blue, green, red.
    png.png_set_bgr(write);
    png.png_write_image(write, rows);
    png.png_write_end(write, nullptr);
    png.png_destroy_write_struct(&write, &info);
    return true;
}

// The PNG file being decoded, and how much of it libpng has taken.
struct PngSource {
    std::span<const std::uint8_t> bytes;
    std::size_t next = 0;
};

void ReadFromBytes(png_structp read, png_bytep data, std::size_t length) {
    const PngLibrary& png = *OpenPng();
    PngSource& source = *static_cast<PngSource*>(png.png_get_io_ptr(read));
    if (length > source.bytes.size() - source.next) png.png_error(read, "the file ends early");
    std::memcpy(data, source.bytes.data() + source.next, length);
    source.next += length;
}

// Every form becomes 8-bit blue, green, red and alpha: palettes and grey levels are
// expanded, a transparent colour or palette entry becomes alpha, 16-bit channels keep
// their high byte, and a picture without transparency is opaque throughout.
void AskForFourBytes(const PngLibrary& png, png_structp read, png_infop info, int colourType) {
    png.png_set_expand(read);
    png.png_set_strip_16(read);
    png.png_set_gray_to_rgb(read);
    png.png_set_bgr(read);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && png.png_get_valid(read, info, PNG_INFO_tRNS) == 0) {
        png.png_set_filler(read, 0xFF, PNG_FILLER_AFTER);
    }
    png.png_set_interlace_handling(read);
    png.png_read_update_info(read, info);
}

// As in Encode, nothing between the long jump's two ends owns a resource: the rows and
// the pixels belong to the caller.
bool Decode(const PngLibrary& png, PngSource& source, TemplateImage& image, std::vector<png_bytep>& rows) {
    png_structp read = png.png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailSilently, IgnoreWarning);
    if (read == nullptr) return false;
    png_infop info = png.png_create_info_struct(read);
    if (info == nullptr || setjmp(*png.png_set_longjmp_fn(read, std::longjmp, sizeof(std::jmp_buf))) != 0) {
        png.png_destroy_read_struct(&read, &info, nullptr);
        return false;
    }
    png.png_set_read_fn(read, &source, ReadFromBytes);
    // Picture sides are 16-bit values wherever a picture is used.
    png.png_set_user_limits(read, 0xFFFF, 0xFFFF);
    png.png_read_info(read, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    png.png_get_IHDR(read, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    AskForFourBytes(png, read, info, colourType);
    if (png.png_get_rowbytes(read, info) != 4 * static_cast<std::size_t>(width)) {
        png.png_error(read, "not four bytes a pixel");
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(4 * static_cast<std::size_t>(width) * height);
    rows.resize(height);
    for (std::size_t y = 0; y < height; ++y) rows[y] = image.pixels.data() + 4 * static_cast<std::size_t>(width) * y;
    png.png_read_image(read, rows.data());
    png.png_destroy_read_struct(&read, &info, nullptr);
    return true;
}

}  // namespace

bool DecodePng(std::span<const std::uint8_t> bytes, TemplateImage& image) {
    image = {};
    const PngLibrary* png = OpenPng();
    if (png == nullptr) return false;
    PngSource source{bytes};
    std::vector<png_bytep> rows;
    if (Decode(*png, source, image, rows)) return true;
    image = {};
    return false;
}

bool EncodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const PngLibrary* png = OpenPng();
    if (png == nullptr || image.width <= 0 || image.height <= 0) return false;
    // The image is stored bottom row first; PNG wants the top row first.
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(image.pixels.data()) +
                                            static_cast<std::size_t>(image.height - 1 - y) * static_cast<std::size_t>(image.rowSize);
    }
    if (Encode(*png, image, rows.data(), bytes)) return true;
    bytes.clear();
    return false;
}

}  // namespace ml
