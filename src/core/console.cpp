#include "core/console.h"

#include <cstdint>

#include "core/errors.h"

namespace ml {

void ClearScreen(Interp& in) { in.platform.console.clearScreen(); }

void MoveCursorTo(Interp& in, int x, int y) {
    // Each coordinate is truncated to 16 bits, as a console cell position is.
    in.platform.console.moveCursor(static_cast<std::int16_t>(x - 1), static_cast<std::int16_t>(y - 1));
}

void SetTextColour(Interp& in, int fg, int bg) {
    in.platform.console.setAttribute(static_cast<std::uint16_t>(fg | (bg * 16)));
}

// A script whose output can no longer be written would run on unseen, perhaps for
// ever in a printing loop: the run ends at the first write found to have failed.
void Print(Interp& in, std::string_view text) {
    Console& console = in.platform.console;
    console.write(text);
    if (console.outputFailed()) throw ProgramEnd{kStatusFailed};
}

}  // namespace ml
