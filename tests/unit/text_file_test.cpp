#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "fake_files.h"
#include "platform/stdio_files.h"

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

std::vector<std::string> PiecesOf(File& file) {
    std::vector<std::string> pieces;
    std::string piece;
    while (ReadPiece(file, piece)) pieces.push_back(piece);
    return pieces;
}

// The pieces the program reads from a file on disk that holds the bytes.
std::vector<std::string> PiecesRead(const std::string& bytes) {
    // Test processes run side by side, here and in other builds on the machine: each
    // writes a file of its own.
    const std::string name = ::testing::TempDir() + "ml_text_file_pieces." + std::to_string(getpid());
    StdioFiles files;
    files.open(name, FileMode::WriteBinary)->write(bytes);
    const std::unique_ptr<File> file = OpenForReading(files, name);
    std::vector<std::string> pieces = PiecesOf(*file);
    std::remove(name.c_str());
    return pieces;
}

// The pieces read from the same bytes served by the tests' fake files, which must
// read as the disk does for tests built on them to mean anything.
std::vector<std::string> PiecesServed(std::string bytes) {
    FakeFile file(bytes);
    return PiecesOf(file);
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
        ASSERT_EQ(PiecesServed(bytes), PiecesByTheRule(bytes)) << "round " << round;
    }
}

TEST(TextFile, CrLfAtThe255thPlaceIsOneLineFeed) {
    const std::string line(254, 'a');
    EXPECT_EQ(PiecesRead(line + "\r\nb"), (std::vector<std::string>{line + "\n", "b"}));
    EXPECT_EQ(PiecesRead(line + "c\r\n"), (std::vector<std::string>{line + "c", "\n"}));
    EXPECT_EQ(PiecesRead(std::string("x\0y\r\n\r", 6)), (std::vector<std::string>{std::string("x\0y\n", 4), "\r"}));
}

// "漢" is E6 BC A2 in UTF-8, "é" C3 A9 and "😀" F0 9F 98 80.
TEST(TextFile, PiecesEndBeforeACharacterTheCutWouldSplit) {
    const std::string text = "a\xE6\xBC\xA2" "b";
    EXPECT_EQ(PieceEnd(text, 1), 1u);
    EXPECT_EQ(PieceEnd(text, 2), 1u);
    EXPECT_EQ(PieceEnd(text, 3), 1u);
    EXPECT_EQ(PieceEnd(text, 4), 4u);
    EXPECT_EQ(PieceEnd("ab\xC3\xA9", 3), 2u);
    EXPECT_EQ(PieceEnd("a\xF0\x9F\x98\x80", 4), 1u);
    EXPECT_EQ(PieceEnd("a\xF0\x9F\x98\x80", 2), 1u);
    // Nothing to cut: the whole text fits.
    EXPECT_EQ(PieceEnd(text, 5), 5u);
    EXPECT_EQ(PieceEnd(text, 9), 9u);
}

TEST(TextFile, BytesThatAreNoCharacterAreCutWhereTheyFall) {
    // A lead byte followed by too few continuation bytes, a continuation byte alone,
    // a Latin-1 byte: no character to keep whole.
    EXPECT_EQ(PieceEnd("a\xE6\xBC" "b", 2), 2u);
    EXPECT_EQ(PieceEnd("ab\xA2\xA2" "c", 3), 3u);
    EXPECT_EQ(PieceEnd("caf\xE9" "s", 4), 4u);
    // An overlong lead byte starts no character either.
    EXPECT_EQ(PieceEnd("a\xC0\x80", 2), 2u);
    // A piece is never left empty, even when its one character does not fit.
    EXPECT_EQ(PieceEnd("\xE6\xBC\xA2", 1), 1u);
    EXPECT_EQ(PieceEnd("\xE6\xBC\xA2", 0), 0u);
}

}  // namespace
}  // namespace ml
