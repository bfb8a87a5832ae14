// Key chords: the keys of ~Desk.Press, read from their names and pressed, synthesised
// or posted to one window.
#pragma once

#include <string>

#include "automation/desk_input.h"
#include "core/interp.h"

namespace ml {

// Presses the chords of the text: names joined by + make one chord, blanks separate
// chords. A chord's modifiers go down first, then its other keys in the order written,
// and they come up in the reverse order. A name no key has ends the run, naming it,
// before any key is pressed.
void PressChords(Interp& in, InputTarget target, const std::string& keys);

}  // namespace ml
