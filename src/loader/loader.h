// The script loader: each source line is checked, brought into its normal form and
// appended to the program line table; file imports load their lines in place.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

// Loads one source line (at most 255 characters and its line end). The line is
// writable: its letters are lowered in place as it is scanned.
void LoadSourceLine(Interp& in, std::string& source);

// Loads a script file: every line in pieces of at most 255 characters, imports in
// place. A class, `Cmp` or function left open is then an error, unless loading
// stopped at the table limit.
void LoadScript(Interp& in, File& file);
// After the load summary: a script past the table limit is an error; otherwise the
// branches of every block are paired.
void FinishLoading(Interp& in);

// Loads every line of an open file, in pieces of at most 255 characters, up to the
// table limit; a file import loads through it.
void LoadStream(Interp& in, File& file);
// LoadStream of an imported file; a check names the file in the places it keeps.
void LoadImportedStream(Interp& in, File& file, const std::string& name);

// Fills the block jump table after a successful load.
void PairBlocks(Interp& in);

}  // namespace ml
