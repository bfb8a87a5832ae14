// The script loader: each source line is checked, brought into its normal form and
// appended to the program line table; file imports load their lines in place.
#pragma once

#include <cstdio>
#include <string>

#include "core/interp.h"

namespace ml {

// Loads one source line (at most 255 characters and its line end). The line is
// writable: its letters are lowered in place as it is scanned.
void ListStr(Interp& in, std::string& source);

// Loads every line of an open script file, in pieces of at most 255 characters.
void LoadStream(Interp& in, std::FILE* file);

// Fills the block jump table after a successful load.
void CmpElseEndLoop(Interp& in);

}  // namespace ml
