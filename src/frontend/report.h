// The fatal error report: the only way any error, at load time or at run time, is
// shown. It prints the line, the message and the error text, and pauses.
#pragma once

#include "core/errors.h"
#include "core/interp.h"

namespace ml {

void ShowReport(Interp& in, const FatalError& error);

}  // namespace ml
