#include "core/text_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/strings.h"

namespace ml {

namespace {

// Neither a zero nor a line feed, so fgets's own zero is the last zero in the buffer.
constexpr char kFill = '\x01';

// Where fgets put its zero: the first zero, unless the text read holds zeros of its
// own; then the last one, as every place after fgets's zero still holds the fill.
std::size_t ReadLength(const char* buffer, std::size_t limit) {
    const auto* first = static_cast<const char*>(std::memchr(buffer, '\0', limit + 1));
    const auto at = static_cast<std::size_t>(first - buffer);
    if (at == limit || (at > 0 && buffer[at - 1] == '\n')) return at;
    std::size_t last = limit;
    while (buffer[last] != '\0') --last;
    return last;
}

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

bool ReadPiece(std::FILE* file, std::string& piece, std::size_t limit) {
    piece.clear();
    limit = std::clamp<std::size_t>(limit, 1, kMaxText);
    char buffer[kMaxText + 1];
    std::memset(buffer, kFill, limit + 1);
    if (std::fgets(buffer, static_cast<int>(limit + 1), file) == nullptr) return false;
    std::size_t length = ReadLength(buffer, limit);

    // The Windows runtime's text mode folds CR LF, and a CR LF takes one place in
    // the piece; do the same everywhere.
    if (length == limit && buffer[limit - 1] == '\r') {
        const int next = std::getc(file);
        if (next == '\n') buffer[limit - 1] = '\n';
        else if (next != EOF) std::ungetc(next, file);
    } else if (length >= 2 && buffer[length - 2] == '\r' && buffer[length - 1] == '\n') {
        buffer[--length - 1] = '\n';
    }
    piece.assign(buffer, length);
    return true;
}

FileHandle OpenForReading(const std::string& name) {
    FileHandle file(std::fopen(name.c_str(), "rb"));
    if (!file) return file;
    if (std::getc(file.get()) == EOF && std::ferror(file.get())) return nullptr;
    std::rewind(file.get());
    return file;
}

bool IsPlainFile(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(name, error);
}

}  // namespace ml
