#include "platform/posix/x11_typing.h"

#include <X11/keysym.h>

#include <chrono>
#include <optional>
#include <thread>

namespace ml {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Unicode characters beyond Latin-1 have keysyms of their own: this bit and the code.
constexpr KeySym kUnicodeKeysym = 0x01000000;
// Clients read a changed keyboard map when they come to the events typed with it;
// the borrowed keys keep their characters until they have surely done so.
constexpr auto kBorrowedKeysGrace = std::chrono::milliseconds(200);

// The length of the sequence a byte starts, and the bits it contributes; 0 for a
// byte that starts none.
int SequenceLength(unsigned char lead, char32_t& bits) {
    if (lead < 0x80) return bits = lead, 1;
    if (lead >= 0xC2 && lead <= 0xDF) return bits = lead & 0x1F, 2;
    if (lead >= 0xE0 && lead <= 0xEF) return bits = lead & 0x0F, 3;
    if (lead >= 0xF0 && lead <= 0xF4) return bits = lead & 0x07, 4;
    return 0;
}

// Overlong forms, surrogates and codes past U+10FFFF are no characters.
bool IsCharacter(char32_t code, int length) {
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    return code >= kShortest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

std::optional<Keystroke> FindKey(const KeyboardMap& map, KeySym keysym) {
    for (int column = 0; column < 2 && column < map.perKey; ++column) {
        for (int key = 0; key < map.keys(); ++key) {
            if (map.at(map.minKeycode + key, column) == keysym)
                return Keystroke{static_cast<KeyCode>(map.minKeycode + key), column == 1};
        }
    }
    // A map may list only the lower-case letter; Shift gives the capital.
    if (keysym >= XK_A && keysym <= XK_Z) {
        const std::optional<Keystroke> lower = FindKey(map, keysym - XK_A + XK_a);
        if (lower && !lower->shift && map.at(lower->keycode, 1) == NoSymbol) return Keystroke{lower->keycode, true};
    }
    return std::nullopt;
}

bool IsSpare(const KeyboardMap& map, int keycode, const TypingPlan& plan) {
    for (int column = 0; column < map.perKey; ++column)
        if (map.at(keycode, column) != NoSymbol) return false;
    for (const auto& [borrowed, keysym] : plan.borrowed)
        if (borrowed == keycode) return false;
    return true;
}

// The key already borrowed for the keysym, else a spare one borrowed now.
std::optional<Keystroke> BorrowKey(const KeyboardMap& map, KeySym keysym, TypingPlan& plan) {
    for (const auto& [keycode, lent] : plan.borrowed)
        if (lent == keysym) return Keystroke{keycode, false};
    for (int key = map.keys() - 1; key >= 0; --key) {
        const int keycode = map.minKeycode + key;
        if (!IsSpare(map, keycode, plan)) continue;
        plan.borrowed.emplace_back(static_cast<KeyCode>(keycode), keysym);
        return Keystroke{static_cast<KeyCode>(keycode), false};
    }
    return std::nullopt;
}

KeyboardMap ReadKeyboardMap(Display* display) {
    KeyboardMap map;
    int minKeycode = 0, maxKeycode = 0, perKey = 0;
    Xlib().XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    KeySym* keysyms = Xlib().XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode),
                                                 maxKeycode - minKeycode + 1, &perKey);
    if (keysyms == nullptr) return map;
    map.minKeycode = minKeycode;
    map.perKey = perKey;
    map.keysyms.assign(keysyms, keysyms + static_cast<std::size_t>(maxKeycode - minKeycode + 1) * static_cast<std::size_t>(perKey));
    Xlib().XFree(keysyms);
    return map;
}

// Every column of the borrowed key gives the character, so Shift makes no difference.
void MapKeys(Display* display, int perKey, const std::vector<std::pair<KeyCode, KeySym>>& keys, bool lend) {
    for (const auto& [keycode, keysym] : keys) {
        std::vector<KeySym> columns(static_cast<std::size_t>(perKey), lend ? keysym : NoSymbol);
        Xlib().XChangeKeyboardMapping(display, keycode, perKey, columns.data(), 1);
    }
    Xlib().XSync(display, False);
}

void FakeStrokes(Display* display, const std::vector<Keystroke>& strokes) {
    const KeyCode shift = Xlib().XKeysymToKeycode(display, XK_Shift_L);
    for (const Keystroke& stroke : strokes) {
        const bool withShift = stroke.shift && shift != 0;
        if (withShift) Xlib().XTestFakeKeyEvent(display, shift, True, CurrentTime);
        Xlib().XTestFakeKeyEvent(display, stroke.keycode, True, CurrentTime);
        Xlib().XTestFakeKeyEvent(display, stroke.keycode, False, CurrentTime);
        if (withShift) Xlib().XTestFakeKeyEvent(display, shift, False, CurrentTime);
    }
}

void PostStrokes(X11Connection& x11, const PostedModifiers& modifiers, Window window,
                 const std::vector<Keystroke>& strokes) {
    const PostTarget target = KeyTarget(x11, window);
    if (target.window == 0) return;
    const unsigned int held = PostedState(x11, modifiers);
    for (const Keystroke& stroke : strokes) {
        const unsigned int state = held | (stroke.shift ? ShiftMask : 0);
        PostKeyEvent(x11, target, stroke.keycode, state, true);
        PostKeyEvent(x11, target, stroke.keycode, state, false);
    }
}

}  // namespace

KeySym KeyboardMap::at(int keycode, int column) const {
    const int key = keycode - minKeycode;
    if (key < 0 || key >= keys() || column < 0 || column >= perKey) return NoSymbol;
    return keysyms[static_cast<std::size_t>(key) * static_cast<std::size_t>(perKey) + static_cast<std::size_t>(column)];
}

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string characters;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const int length = SequenceLength(static_cast<unsigned char>(text[i]), code);
        int taken = 1;
        for (; length > 0 && taken < length && i + taken < text.size(); ++taken) {
            const auto next = static_cast<unsigned char>(text[i + taken]);
            if ((next & 0xC0) != 0x80) break;
            code = code << 6 | (next & 0x3F);
        }
        const bool whole = length > 0 && taken == length && IsCharacter(code, length);
        characters.push_back(whole ? code : kReplacement);
        i += whole ? static_cast<std::size_t>(length) : 1;
    }
    return characters;
}

KeySym KeysymOfCharacter(char32_t character) {
    if (character == '\n' || character == '\r') return XK_Return;
    if (character == '\t') return XK_Tab;
    if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return 0;
    return character <= 0xFF ? character : kUnicodeKeysym | character;
}

TypingPlan PlanTyping(const KeyboardMap& map, std::u32string_view text) {
    TypingPlan plan;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        const KeySym keysym = KeysymOfCharacter(text[i]);
        if (keysym == 0) continue;
        std::optional<Keystroke> stroke = FindKey(map, keysym);
        if (!stroke) stroke = BorrowKey(map, keysym, plan);
        if (stroke) plan.strokes.push_back(*stroke);
    }
    return plan;
}

void TypeText(X11Connection& x11, const PostedModifiers& modifiers, Window window, const std::string& text) {
    Display* display = x11.display();
    if (display == nullptr || (window == 0 && !x11.canFakeInput())) return;
    const KeyboardMap map = ReadKeyboardMap(display);
    const TypingPlan plan = PlanTyping(map, DecodeUtf8(text));
    if (!plan.borrowed.empty()) MapKeys(display, map.perKey, plan.borrowed, true);
    if (window == 0) {
        FakeStrokes(display, plan.strokes);
    } else {
        PostStrokes(x11, modifiers, window, plan.strokes);
    }
    Xlib().XSync(display, False);
    if (plan.borrowed.empty()) return;
    std::this_thread::sleep_for(kBorrowedKeysGrace);
    MapKeys(display, map.perKey, plan.borrowed, false);
}

}  // namespace ml
