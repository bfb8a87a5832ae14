// The fatal error report: the only way any error, at load time or at run time, is
// shown. It prints the line, the message and the error text, and pauses; quietly, the
// same three lines go to standard error.
#pragma once

#include "core/errors.h"
#include "core/interp.h"

namespace ml {

enum class ReportStyle {
    Console,  // on standard output, in colour, then the pause
    Quiet,    // on standard error, plain, without the pause: for a run under `-q`
};

void ShowReport(Interp& in, const FatalError& error, ReportStyle style = ReportStyle::Console);

}  // namespace ml
