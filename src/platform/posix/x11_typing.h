// Typing a text on the X display: each character becomes a key of the keyboard map,
// with Shift where the character needs it, or a spare key given the character for the
// time of the typing when no key produces it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/x11_connection.h"
#include "platform/posix/x11_input.h"
#include "platform/posix/x11_keymap.h"

namespace ml {

struct Keystroke {
    KeyCode keycode = 0;
    bool shift = false;
};

// The key presses typed while one set of spare keys is lent out: the characters
// those keys are given, and the presses.
struct TypingBatch {
    LentKeys borrowed;
    std::vector<Keystroke> strokes;
};

// The key presses that type a text. When a character needs a spare key and every one
// is lent, a new batch lends them again, so a text may hold any number of characters
// that no key produces. untyped is the index of the first character nothing can type
// (a byte that starts no character, or one that needs a spare key where the map has
// none); the plan then has no batches.
struct TypingPlan {
    std::vector<TypingBatch> batches;
    std::optional<std::size_t> untyped;
};

// What DecodeUtf8 gives for a byte that starts no valid sequence: no Unicode code,
// so no real character can stand for it.
inline constexpr char32_t kNotACharacter = 0xFFFFFFFF;

// UTF-8 to characters; every byte that starts no valid sequence becomes one
// kNotACharacter.
std::u32string DecodeUtf8(std::string_view text);

// Where the character at the index lies in the UTF-8 text the characters were
// decoded from.
UntypedCharacter UntypedAt(std::u32string_view characters, std::size_t index);

// The keysym that types the character: Return for a line feed or carriage return,
// Tab for a tab, 0 for other control characters.
KeySym KeysymOfCharacter(char32_t character);

// The plan for the text (a carriage return and line feed pair is one Enter).
TypingPlan PlanTyping(const KeyboardMap& map, std::u32string_view text);

// Types the UTF-8 text: through XTEST with window 0, else as key events sent to the
// window with the modifiers held through posted messages. Nothing is typed when a
// character cannot be, and that character is given.
std::optional<UntypedCharacter> TypeText(X11Connection& x11, const PostedModifiers& modifiers, Window window,
                                         const std::string& text);

}  // namespace ml
