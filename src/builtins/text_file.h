// Reading text files the way the whole program does: in pieces of at most 255
// characters, a CR LF line end arriving as one line feed on every build.
#pragma once

#include <cstdio>
#include <string>

namespace ml {

// Reads the next piece: up to and including the next line feed, or 255 characters,
// whichever comes first. A NUL byte ends the piece's text. False at the end of the file.
bool ReadPiece(std::FILE* file, std::string& piece);

}  // namespace ml
