#include "builtins/text_file.h"

#include <cstring>

#include "builtins/strings.h"

namespace ml {

bool ReadPiece(std::FILE* file, std::string& piece) {
    piece.clear();
    // fgets stops after a line feed or kMaxText bytes and ends what it read with a
    // zero; the last place of the buffer holds that zero only when it read them all.
    char buffer[kMaxText + 1];
    buffer[kMaxText] = '\n';
    if (std::fgets(buffer, sizeof buffer, file) == nullptr) return false;
    // The piece's text ends at its first zero, read or written.
    std::size_t length = static_cast<std::size_t>(
        static_cast<const char*>(std::memchr(buffer, '\0', sizeof buffer)) - buffer);

    // The Windows runtime's text mode folds CR LF, and a CR LF takes one place in
    // the piece; do the same everywhere.
    if (buffer[kMaxText] == '\0' && buffer[kMaxText - 1] == '\r') {
        const int next = std::getc(file);
        if (next == '\n') buffer[kMaxText - 1] = '\n';
        else if (next != EOF) std::ungetc(next, file);
    } else if (length >= 2 && buffer[length - 2] == '\r' && buffer[length - 1] == '\n') {
        buffer[--length - 1] = '\n';
    }
    piece.assign(buffer, length);
    return true;
}

}  // namespace ml
