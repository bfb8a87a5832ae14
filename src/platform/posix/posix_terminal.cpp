#include "platform/posix/posix_terminal.h"

#include <cstddef>

namespace ml {

namespace {

// Windows colour indices put blue in bit 0 and red in bit 2; ANSI the other way
// round. Bit 3 (intensity) selects the bright range of SGR codes.
int AnsiColour(int windowsColour, int normalBase, int brightBase) {
    const int rgb = ((windowsColour & 1) << 2) | (windowsColour & 2) | ((windowsColour & 4) >> 2);
    return ((windowsColour & 8) != 0 ? brightBase : normalBase) + rgb;
}

// The Windows console's normal colours (grey on black). Shown as the terminal's
// own defaults, so that plain text after a coloured piece looks like the rest of
// the user's terminal instead of a painted black band.
constexpr std::uint16_t kNormalAttribute = 0x07;

// Key codes of the Windows console for the keys that come with prefix 224.
constexpr int kKeyUp = 72;
constexpr int kKeyDown = 80;
constexpr int kKeyLeft = 75;
constexpr int kKeyRight = 77;
constexpr int kKeyHome = 71;
constexpr int kKeyEnd = 79;
constexpr int kKeyPageUp = 73;
constexpr int kKeyPageDown = 81;
constexpr int kKeyInsert = 82;
constexpr int kKeyDelete = 83;
constexpr int kKeyF11 = 133;
constexpr int kKeyF12 = 134;
// F1 to F10 come with prefix 0 and the codes 59 to 68.
constexpr int kKeyF1 = 59;

constexpr int kExtendedPrefix = 224;
constexpr int kFunctionPrefix = 0;

PrefixedKey Extended(int code) { return {kExtendedPrefix, code}; }

std::optional<PrefixedKey> FunctionKey(int number) {
    if (number >= 1 && number <= 10) return PrefixedKey{kFunctionPrefix, kKeyF1 + number - 1};
    if (number == 11) return Extended(kKeyF11);
    if (number == 12) return Extended(kKeyF12);
    return std::nullopt;
}

// The final letter of "ESC [ ... X" and "ESC O X": cursor keys and, from SS3 and
// modified CSI forms, F1 to F4.
std::optional<PrefixedKey> LetterKey(char letter) {
    switch (letter) {
    case 'A': return Extended(kKeyUp);
    case 'B': return Extended(kKeyDown);
    case 'C': return Extended(kKeyRight);
    case 'D': return Extended(kKeyLeft);
    case 'H': return Extended(kKeyHome);
    case 'F': return Extended(kKeyEnd);
    case 'P': return FunctionKey(1);
    case 'Q': return FunctionKey(2);
    case 'R': return FunctionKey(3);
    case 'S': return FunctionKey(4);
    default: return std::nullopt;
    }
}

// "ESC [ n ~" (and "ESC [ n ; m ~" with modifiers): the number names the key. The
// gaps (16, 22) are how terminals number them, following the old DEC layout.
std::optional<PrefixedKey> TildeKey(int number) {
    switch (number) {
    case 1:
    case 7: return Extended(kKeyHome);
    case 2: return Extended(kKeyInsert);
    case 3: return Extended(kKeyDelete);
    case 4:
    case 8: return Extended(kKeyEnd);
    case 5: return Extended(kKeyPageUp);
    case 6: return Extended(kKeyPageDown);
    case 11: case 12: case 13: case 14: case 15: return FunctionKey(number - 10);
    case 17: case 18: case 19: case 20: case 21: return FunctionKey(number - 11);
    case 23: return FunctionKey(11);
    case 24: return FunctionKey(12);
    default: return std::nullopt;
    }
}

bool IsFinalByte(char c) { return c >= 0x40 && c <= 0x7e; }

}  // namespace

std::string AnsiAttribute(std::uint16_t attribute) {
    if ((attribute & 0xff) == kNormalAttribute) return "\x1b[0m";
    const int foreground = AnsiColour(attribute & 0x0f, 30, 90);
    const int background = AnsiColour((attribute >> 4) & 0x0f, 40, 100);
    return "\x1b[" + std::to_string(foreground) + ";" + std::to_string(background) + "m";
}

std::string AnsiCursorMove(int column, int row) {
    // The Windows build passes each coordinate as a 16-bit cell number, and the
    // console refuses a negative one; do the same so both builds agree.
    const auto x = static_cast<std::int16_t>(column);
    const auto y = static_cast<std::int16_t>(row);
    if (x < 0 || y < 0) return {};
    return "\x1b[" + std::to_string(y + 1) + ";" + std::to_string(x + 1) + "H";
}

bool KeySequenceComplete(std::string_view afterEscape) {
    if (afterEscape.empty()) return false;
    switch (afterEscape[0]) {
    case 'O': return afterEscape.size() >= 2;
    case '[':
        // The Linux console sends F1 to F5 as "ESC [ [ A" to "ESC [ [ E".
        if (afterEscape.size() >= 2 && afterEscape[1] == '[') return afterEscape.size() >= 3;
        return afterEscape.size() >= 2 && IsFinalByte(afterEscape.back());
    default: return true;  // ESC followed by an ordinary key: Alt held down
    }
}

std::optional<PrefixedKey> DecodeKeySequence(std::string_view afterEscape) {
    if (!KeySequenceComplete(afterEscape)) return std::nullopt;
    if (afterEscape[0] == 'O') {
        return afterEscape.size() == 2 ? LetterKey(afterEscape[1]) : std::nullopt;
    }
    if (afterEscape[0] != '[') return std::nullopt;

    if (afterEscape[1] == '[') {
        const char letter = afterEscape[2];
        if (afterEscape.size() == 3 && letter >= 'A' && letter <= 'E') return FunctionKey(letter - 'A' + 1);
        return std::nullopt;
    }

    const char final = afterEscape.back();
    const std::string_view parameters = afterEscape.substr(1, afterEscape.size() - 2);
    if (final != '~') return LetterKey(final);

    int number = 0;
    std::size_t digits = 0;
    while (digits < parameters.size() && parameters[digits] >= '0' && parameters[digits] <= '9' && number < 1000) {
        number = number * 10 + (parameters[digits] - '0');
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return TildeKey(number);
}

}  // namespace ml
