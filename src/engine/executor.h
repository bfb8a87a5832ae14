// The statement executor: runs the loaded program from its first entry.
#pragma once

#include <string_view>

#include "core/interp.h"

namespace ml {

// Script: runs the program until the counter passes the last entry. `Exit` ends the
// run by throwing ProgramEnd, an error by raising FatalError.
void Script(Interp& in);

// A user function returned result to the calling entry at the program counter: runs
// the line its call left there from the entry's decoded form. False where the
// calling line must run again as text.
bool ContinueCall(Interp& in, std::string_view result);

// The same for a whole number below 10^15 that a user function returned, where the
// line stores it as it stands (`$x = ~F()`): stored without making its text.
bool ContinueCallWithWhole(Interp& in, double number);

}  // namespace ml
