#include "frontend/console_ops.h"

#include <cstdint>

namespace ml {

void clrscr(Interp& in) { in.platform.console.clearScreen(); }

void gotoxy(Interp& in, int x, int y) {
    // Each coordinate is truncated to 16 bits, as a console cell position is.
    in.platform.console.moveCursor(static_cast<std::int16_t>(x - 1), static_cast<std::int16_t>(y - 1));
}

void textcolor(Interp& in, int fg, int bg) {
    in.platform.console.setAttribute(static_cast<std::uint16_t>(fg | (bg * 16)));
}

void Print(Interp& in, std::string_view text) { in.platform.console.write(text); }

}  // namespace ml
