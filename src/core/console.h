// The console primitives of the banner, the error report and the dos module.
#pragma once

#include <string_view>

#include "core/interp.h"

namespace ml {

// Clears the screen and puts the cursor at its top-left cell.
void ClearScreen(Interp& in);
// Moves the cursor to the 1-based column x and row y.
void MoveCursorTo(Interp& in, int x, int y);
// Sets the text attribute fg | bg * 16 (console colour indices 0 to 15).
void SetTextColour(Interp& in, int fg, int bg);
// Writes text to standard output as it stands.
void Print(Interp& in, std::string_view text);

}  // namespace ml
