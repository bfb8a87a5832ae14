// The traps of calls, found from the loaded script's imports and functions: a name no
// module and no function of the script has, and a wrong number of arguments to a
// built-in function. Both would stop the run only when the line runs.
#pragma once

#include <string_view>

#include "check/finding.h"
#include "core/interp.h"

namespace ml {

void CheckCalls(Interp& in, const SourcePiece& piece, std::string_view code, Findings& findings);

}  // namespace ml
