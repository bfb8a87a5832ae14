// Substitution: variable references and array indices of a text replaced by their
// values, the first steps of evaluating any line.
#pragma once

#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Replaces every variable reference in the first 255 bytes of the text by its value,
// right to left. The result is not cut: the caller cuts it where it is read.
std::string Dim(Interp& in, std::string_view text);
// Replaces every bracketed index expression of a line by its value, right to left.
std::string Dim_LR_(Interp& in, std::string_view line);
// The line with a call's result in place of [from, to). A variable right before it is
// read first where the result's bytes would lengthen its name (`$r` and 3 reading
// `$r3`): what a call gives is data, never read as the script.
std::string FillResult(Interp& in, std::string_view line, std::size_t from, std::size_t to, std::string_view result);

}  // namespace ml
