#include "automation/capture.h"

#include <span>
#include <string_view>
#include <vector>

#include "automation/desktop_access.h"
#include "automation/screen_image.h"
#include "core/errors.h"
#include "core/language.h"
#include "core/strings.h"

namespace ml {

namespace {

void Put16(std::uint8_t*& at, std::uint16_t value) {
    *at++ = static_cast<std::uint8_t>(value);
    *at++ = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t*& at, std::uint32_t value) {
    Put16(at, static_cast<std::uint16_t>(value));
    Put16(at, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t ImageSize(const ScreenImage& image) {
    return static_cast<std::uint32_t>(image.rowSize) * static_cast<std::uint32_t>(image.height);
}

bool HasPngExtension(const std::string& file) {
    constexpr std::string_view kExtension = ".png";
    return file.size() >= kExtension.size() &&
           AsciiLower(file.substr(file.size() - kExtension.size())) == kExtension;
}

inline constexpr MsgPair kMsgPictureNotTaken{"Can not take the picture for the file: ", "無法擷取畫面到檔案: "};
inline constexpr MsgPair kMsgPngNotMade{"Can not make the PNG picture for the file: ", "無法製作 PNG 圖片檔: "};
inline constexpr MsgPair kMsgPictureNotWritten{"Can not write the picture file: ", "無法寫入圖片檔: "};
inline constexpr MsgPair kMsgNotPlainFile{" (not a regular file: left as it is)", " (不是一般檔案: 保持原狀)"};

// How a capture takes its snapshot: screen-sized, or at the window's inside's size.
using Snapshot = const ScreenImage& (*)(Interp& in, WindowHandle window);

// The snapshot a capture saves. A run without a display stops here, before anything
// is written, so that no empty picture takes the file's place.
const ScreenImage& TakePicture(Interp& in, Snapshot snapshot, WindowHandle window, const std::string& file) {
    const std::string problem = DisplayProblem(in);
    if (!problem.empty()) Fail(in, Say(in, kMsgPictureNotTaken) + file + " (" + problem + ")");
    const ScreenImage& image = snapshot(in, window);
    if (image.width == 0) Fail(in, Say(in, kMsgPictureNotTaken) + file);
    return image;
}

void WritePicture(Interp& in, const std::string& file, FilePieces pieces) {
    switch (in.platform.desktop.replaceFile(file, pieces)) {
    case FileWrite::Written:
        return;
    case FileWrite::NotPlainFile:
        Fail(in, Say(in, kMsgPictureNotWritten) + file + Say(in, kMsgNotPlainFile));
    case FileWrite::Failed:
        Fail(in, Say(in, kMsgPictureNotWritten) + file);
    }
}

void WriteBitmap(Interp& in, const ScreenImage& image, const std::string& file) {
    const auto headers = BitmapHeaders(image);
    const std::array<std::span<const std::uint8_t>, 2> pieces{std::span<const std::uint8_t>(headers),
                                                              std::span(image.pixels.data(), ImageSize(image))};
    WritePicture(in, file, pieces);
}

void WritePng(Interp& in, const ScreenImage& image, const std::string& file) {
    std::vector<std::uint8_t> bytes;
    if (!in.platform.desktop.encodePng(image, bytes)) Fail(in, Say(in, kMsgPngNotMade) + file);
    const std::array<std::span<const std::uint8_t>, 1> pieces{bytes};
    WritePicture(in, file, pieces);
}

}  // namespace

std::array<std::uint8_t, kBitmapHeadersSize> BitmapHeaders(const ScreenImage& image) {
    std::array<std::uint8_t, kBitmapHeadersSize> bytes{};
    std::uint8_t* at = bytes.data();
    Put16(at, 0x4D42);                                     // "BM"
    Put32(at, static_cast<std::uint32_t>(kBitmapHeadersSize) + ImageSize(image));
    Put32(at, 0);                                          // two reserved words
    Put32(at, static_cast<std::uint32_t>(kBitmapHeadersSize));
    Put32(at, 40);                                         // information header size
    Put32(at, static_cast<std::uint32_t>(image.width));
    Put32(at, static_cast<std::uint32_t>(image.height));   // positive: bottom row first
    Put16(at, 1);                                          // planes
    Put16(at, 24);                                         // bits a pixel
    Put32(at, 0);                                          // no compression
    Put32(at, ImageSize(image));
    // Resolution and colour-table counts stay 0.
    return bytes;
}

void ScreenCapture(Interp& in, WindowHandle window, const std::string& file) {
    WriteBitmap(in, TakePicture(in, TakeScreenImage, window, file), file);
}

void InsideCaptureByName(Interp& in, WindowHandle window, const std::string& file) {
    const ScreenImage& image = TakePicture(in, TakeInsideImage, window, file);
    if (HasPngExtension(file)) return WritePng(in, image, file);
    WriteBitmap(in, image, file);
}

}  // namespace ml
