#include "core/text_file.h"

#include <algorithm>

#include "core/strings.h"

namespace ml {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// How many bytes the UTF-8 character that starts with this byte has; 0 for a byte that
// starts none of two bytes or more.
std::size_t CharacterLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    if (byte >= 0xC2 && byte <= 0xDF) return 2;
    if (byte >= 0xE0 && byte <= 0xEF) return 3;
    if (byte >= 0xF0 && byte <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::size_t PieceEnd(std::string_view line, std::size_t fits) {
    if (fits == 0 || fits >= line.size()) return fits;
    // A character has at most three bytes after its first, so its first lies at most
    // three bytes before the cut.
    std::size_t lead = fits - 1;
    while (lead > 0 && fits - lead < 3 && IsContinuationByte(line[lead])) --lead;
    const std::size_t length = CharacterLength(line[lead]);
    if (lead == 0 || lead + length <= fits || lead + length > line.size()) return fits;
    for (std::size_t at = lead + 1; at < lead + length; ++at)
        if (!IsContinuationByte(line[at])) return fits;
    return lead;
}

bool ReadPiece(File& file, std::string& piece, std::size_t limit) {
    limit = std::clamp<std::size_t>(limit, 1, kMaxText);
    if (!file.readLine(piece, limit)) {
        piece.clear();
        return false;
    }
    // The Windows runtime's text mode folds CR LF, and a CR LF takes one place in
    // the piece; do the same everywhere.
    const std::size_t length = piece.size();
    if (length == limit && piece.back() == '\r') {
        if (file.takeLineFeed()) piece.back() = '\n';
    } else if (length >= 2 && piece[length - 2] == '\r' && piece.back() == '\n') {
        piece.erase(length - 2, 1);
    }
    return true;
}

std::unique_ptr<File> OpenForReading(Files& files, const std::string& name) {
    std::unique_ptr<File> file = files.open(name, FileMode::ReadBinary);
    if (file && !file->readable()) return nullptr;
    return file;
}

}  // namespace ml
