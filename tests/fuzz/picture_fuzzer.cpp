// Reads each input as a picture file, as ~Lib.FindRGB does: its size from the first
// bytes, then the whole picture. The sanitizers catch any read outside the input; a
// decoded picture must have the size its headers gave, and every pixel of it. PNG
// files go to the fake platform, whose decoder is the system's, not ours.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "automation/picture_file.h"
#include "fake_desktop.h"

namespace {

// Large enough for every form to be read, small enough that a picture that claims
// more is refused before memory is taken for it.
constexpr ml::PictureSize kLargest{1024, 1024};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    ml::FakeDesktop desktop;
    ml::TemplateImage image;
    if (!ml::DecodePicture(file, kLargest, desktop, image, ml::Transparency::Ignored)) return 0;
    ml::PictureSize stated;
    if (!ml::ReadPictureSize(file.first(std::min(size, ml::kPictureHeadBytes)), stated) ||
        stated.width != image.width || stated.height != image.height ||
        image.pixels.size() != 4 * static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        std::abort();
    }
    return 0;
}
