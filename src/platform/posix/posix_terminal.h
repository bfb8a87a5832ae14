// Terminal escape sequences, both ways: what the Linux console writes to show the
// Windows console's colours and cursor cells, and how the keys a terminal sends
// become the two-part key codes that scripts expect from a Windows console.
// Pure functions, so the tables can be checked without a terminal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ml {

// Blanks the screen and puts the cursor in the top-left cell.
inline constexpr std::string_view kAnsiClearScreen = "\x1b[2J\x1b[H";

// The SGR sequence for a console attribute (foreground | background << 4, Windows
// colour indices). Bits above the two colours carry nothing a terminal can show
// and are ignored.
std::string AnsiAttribute(std::uint16_t attribute);

// The sequence that moves the cursor to the 0-based cell (column, row), or an empty
// text when the Windows console would refuse the cell.
std::string AnsiCursorMove(int column, int row);

// A key that a Windows console reports as two codes: 0 or 224, then the key code.
struct PrefixedKey {
    int prefix;
    int code;
};

// Decodes the bytes a terminal sends after ESC for a cursor, editing or function
// key ("[A", "OP", "[5~", "[1;5C", ...). Modifiers are dropped: the key is reported
// as if pressed alone. Returns nothing for sequences that are no such key.
std::optional<PrefixedKey> DecodeKeySequence(std::string_view afterEscape);

// Whether the bytes after ESC form a whole sequence (or can never become one), so
// that reading can stop without waiting for more.
bool KeySequenceComplete(std::string_view afterEscape);

}  // namespace ml
