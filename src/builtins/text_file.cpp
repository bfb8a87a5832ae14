#include "builtins/text_file.h"

#include "builtins/strings.h"

namespace ml {

bool ReadPiece(std::FILE* file, std::string& piece) {
    piece.clear();
    bool any = false;
    while (piece.size() < kMaxText) {
        int c = std::getc(file);
        if (c == EOF) break;
        any = true;
        if (c == '\r') {
            // The Windows runtime's text mode folds CR LF; do the same everywhere.
            int next = std::getc(file);
            if (next == '\n') c = '\n';
            else if (next != EOF) std::ungetc(next, file);
        }
        piece += static_cast<char>(c);
        if (c == '\n') break;
    }
    auto nul = piece.find('\0');
    if (nul != std::string::npos) piece.resize(nul);
    return any;
}

}  // namespace ml
