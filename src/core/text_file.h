// Reading text files the way the whole program does: in pieces of at most 255
// characters, a CR LF line end arriving as one line feed on every build.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace ml {

// Reads the next piece: up to and including the next line feed, or limit characters
// (1 to 255), whichever comes first. Zero bytes are bytes like any other. False at
// the end of the file.
bool ReadPiece(File& file, std::string& piece, std::size_t limit = 255);

// Where a piece of a line that may hold `fits` bytes ends: before a UTF-8 character
// that the cut would split, so that a piece of valid UTF-8 text is valid text too and
// the next piece starts with that character. Bytes that are no such character are cut
// where they fall, and the piece is never left empty.
std::size_t PieceEnd(std::string_view line, std::size_t fits);

// Opens a file to be read in binary mode, so both builds read the same bytes (ReadPiece
// folds CR LF). Null when it cannot be read, a folder included: some systems open one.
std::unique_ptr<File> OpenForReading(Files& files, const std::string& name);

}  // namespace ml
