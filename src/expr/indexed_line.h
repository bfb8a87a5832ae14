// Assignments to and from array elements whose indices are computed as the line runs
// (`$a[$j] = $j + $p`, `$sum = $sum + $a[$i * 3 + $j]`, `$b[$a[$j]] = 1`). The text
// path evaluates the indices (inner ones first), writes their values into the line
// and reads the line again; the decoded form evaluates the same indices in the same
// order and finds the elements they name directly, for as long as the values could
// not make the written line read otherwise.
#pragma once

#include <string>
#include <string_view>

#include "core/decoded_form.h"
#include "core/interp.h"

namespace ml {

// Decodes `target = chain` where the target or the chain's references hold indices.
// False, leaving the entry Text, for anything else: a literal, an index that holds
// an index without being one element (`$a[$b[$i] + 1]`), an index holding `=`, a
// bracket that closes no index, an array literal.
bool DecodeIndexedAssignment(std::string_view text, DecodedEntry& decoded);

// Runs the assignment; false where the text path must run the line (the indices'
// values are then kept for IndexedText): a value that would change how the written
// line reads, a written line too long for a value, an element read that is not set
// (or, as an index, holds a value that would be read further), a side the chain
// cannot evaluate.
bool RunIndexedAssignment(Interp& in, DecodedEntry& decoded);

// The line with this run's index values written in, as the text path writes it.
std::string IndexedText(Interp& in, std::string_view text, const IndexedLine& line);

}  // namespace ml
