#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/text_file.h"

namespace ml {
namespace {

// The rule as plainly stated, one character at a time: at most 255 characters,
// a CR LF taking one place as a line feed, the piece ending after a line feed; a NUL
// is a byte like any other.
std::vector<std::string> PiecesByTheRule(const std::string& bytes) {
    std::vector<std::string> pieces;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::string piece;
        while (piece.size() < 255 && at < bytes.size()) {
            char c = bytes[at++];
            if (c == '\r' && at < bytes.size() && bytes[at] == '\n') c = bytes[at++];
            piece += c;
            if (c == '\n') break;
        }
        pieces.push_back(piece);
    }
    return pieces;
}

std::vector<std::string> PiecesRead(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    std::vector<std::string> pieces;
    std::string piece;
    while (ReadPiece(file, piece)) pieces.push_back(piece);
    std::fclose(file);
    return pieces;
}

TEST(TextFile, PiecesFollowTheRuleForAnyBytes) {
    // Few distinct bytes, so that CR LF pairs, NULs and line feeds meet the 255 limit often.
    const char alphabet[] = {'a', '\r', '\n', '\0', '\r', 'b'};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const std::size_t length = random() % 700;
        const unsigned plainRun = random() % 300;
        while (bytes.size() < length) {
            // Long plain runs put the special bytes near the 255th place.
            bytes.append(random() % 2 ? plainRun : 1, 'x');
            bytes += alphabet[random() % sizeof alphabet];
        }
        ASSERT_EQ(PiecesRead(bytes), PiecesByTheRule(bytes)) << "round " << round;
    }
}

TEST(TextFile, CrLfAtThe255thPlaceIsOneLineFeed) {
    const std::string line(254, 'a');
    EXPECT_EQ(PiecesRead(line + "\r\nb"), (std::vector<std::string>{line + "\n", "b"}));
    EXPECT_EQ(PiecesRead(line + "c\r\n"), (std::vector<std::string>{line + "c", "\n"}));
    EXPECT_EQ(PiecesRead(std::string("x\0y\r\n\r", 6)), (std::vector<std::string>{std::string("x\0y\n", 4), "\r"}));
}

}  // namespace
}  // namespace ml
