// The normal form of a source line: blanks outside literals removed, letters
// lowered, markers before `$`, `~` and both quotes of each literal, comments dropped,
// hexadecimal literals folded to decimal.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

struct NormalLine {
    std::string text;
    bool bracket = false;   // a `[` outside quotes: array references to resolve
    bool call = false;      // a `~` outside quotes: calls to resolve
};

// Normalises one source line. Letters outside literals are lowered in the source too,
// as far as the scan gets, so an error report shows the line in that state. Unbalanced
// brackets or parentheses and an unterminated literal stop the load.
NormalLine Normalise(Interp& in, std::string& source);

}  // namespace ml
