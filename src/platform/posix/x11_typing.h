// Typing a text on the X display: each character becomes a key of the keyboard map,
// with Shift where the character needs it, or a spare key given the character for the
// time of the typing when no key produces it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/x11_connection.h"
#include "platform/posix/x11_input.h"

namespace ml {

// The server's keyboard map: for each key code from minKeycode on, perKey keysyms
// (without and with Shift first).
struct KeyboardMap {
    int minKeycode = 0;
    int perKey = 0;
    std::vector<KeySym> keysyms;

    int keys() const { return perKey == 0 ? 0 : static_cast<int>(keysyms.size()) / perKey; }
    KeySym at(int keycode, int column) const;
};

struct Keystroke {
    KeyCode keycode = 0;
    bool shift = false;
};

// The key presses that type a text, and the spare keys it borrows for characters
// no key produces.
struct TypingPlan {
    std::vector<Keystroke> strokes;
    std::vector<std::pair<KeyCode, KeySym>> borrowed;
};

// UTF-8 to characters; a byte that starts no valid sequence stands for U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

// The keysym that types the character: Return for a line feed or carriage return,
// Tab for a tab, 0 for other control characters.
KeySym KeysymOfCharacter(char32_t character);

// The plan for the text (a carriage return and line feed pair is one Enter). A
// character left without a key once every spare key is borrowed is not typed.
TypingPlan PlanTyping(const KeyboardMap& map, std::u32string_view text);

// Types the UTF-8 text: through XTEST with window 0, else as key events sent to the
// window with the modifiers held through posted messages.
void TypeText(X11Connection& x11, const PostedModifiers& modifiers, Window window, const std::string& text);

}  // namespace ml
