#include "platform/posix/x11_typing.h"

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

namespace ml {

namespace {

// Unicode characters beyond Latin-1 have keysyms of their own: this bit and the code.
constexpr KeySym kUnicodeKeysym = 0x01000000;
// Clients read a changed keyboard map when they come to the events typed with it;
// the borrowed keys keep their characters until they have surely done so, before
// they are lent again or given back.
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

bool IsSpare(const KeyboardMap& map, int keycode, const TypingBatch& batch) {
    for (int column = 0; column < map.perKey; ++column)
        if (map.at(keycode, column) != NoSymbol) return false;
    for (const auto& [borrowed, keysym] : batch.borrowed)
        if (borrowed == keycode) return false;
    return true;
}

// The key already borrowed for the keysym, else a spare one borrowed now.
std::optional<Keystroke> BorrowKey(const KeyboardMap& map, KeySym keysym, TypingBatch& batch) {
    for (const auto& [keycode, lent] : batch.borrowed)
        if (lent == keysym) return Keystroke{keycode, false};
    for (int key = map.keys() - 1; key >= 0; --key) {
        const int keycode = map.minKeycode + key;
        if (!IsSpare(map, keycode, batch)) continue;
        batch.borrowed.emplace_back(static_cast<KeyCode>(keycode), keysym);
        return Keystroke{static_cast<KeyCode>(keycode), false};
    }
    return std::nullopt;
}

// A key of the map, else a spare one of the last batch, else one of a new batch once
// the last has lent them all.
std::optional<Keystroke> KeyOf(const KeyboardMap& map, KeySym keysym, TypingPlan& plan) {
    if (std::optional<Keystroke> stroke = FindKey(map, keysym)) return stroke;
    if (std::optional<Keystroke> stroke = BorrowKey(map, keysym, plan.batches.back())) return stroke;
    if (plan.batches.back().borrowed.empty()) return std::nullopt;
    plan.batches.emplace_back();
    return BorrowKey(map, keysym, plan.batches.back());
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

// Every key that some batch lends, once.
std::vector<KeyCode> KeysLent(const TypingPlan& plan) {
    std::vector<KeyCode> keys;
    for (const TypingBatch& batch : plan.batches)
        for (const auto& [keycode, keysym] : batch.borrowed)
            if (std::find(keys.begin(), keys.end(), keycode) == keys.end()) keys.push_back(keycode);
    return keys;
}

// The lent keys keep the batch's characters until clients have read its key presses,
// whether the next batch lends them again or they are given back.
void TypeBatch(X11Connection& x11, const PostedModifiers& modifiers, Window window, const TypingBatch& batch) {
    Display* display = x11.display();
    if (window == 0) {
        FakeStrokes(display, batch.strokes);
    } else {
        PostStrokes(x11, modifiers, window, batch.strokes);
    }
    Xlib().XSync(display, False);
    if (!batch.borrowed.empty()) std::this_thread::sleep_for(kBorrowedKeysGrace);
}

// The bytes of the character in the UTF-8 text it was decoded from.
std::size_t EncodedLength(char32_t character) {
    if (character == kNotACharacter || character < 0x80) return 1;
    if (character < 0x800) return 2;
    return character < 0x10000 ? 3 : 4;
}

}  // namespace

UntypedCharacter UntypedAt(std::u32string_view characters, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index; ++i) offset += EncodedLength(characters[i]);
    return {offset, EncodedLength(characters[index])};
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
        characters.push_back(whole ? code : kNotACharacter);
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
    TypingPlan plan{{TypingBatch{}}, std::nullopt};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == kNotACharacter) return TypingPlan{{}, i};
        const KeySym keysym = KeysymOfCharacter(text[i]);
        if (keysym == 0) continue;
        const std::optional<Keystroke> stroke = KeyOf(map, keysym, plan);
        if (!stroke) return TypingPlan{{}, i};
        plan.batches.back().strokes.push_back(*stroke);
    }
    return plan;
}

std::optional<UntypedCharacter> TypeText(X11Connection& x11, const PostedModifiers& modifiers, Window window,
                                         const std::string& text) {
    Display* display = x11.display();
    if (display == nullptr || (window == 0 && !x11.canFakeInput())) return std::nullopt;
    const std::u32string characters = DecodeUtf8(text);
    const KeyboardMap map = ReadKeyboardMap(display);
    const TypingPlan plan = PlanTyping(map, characters);
    if (plan.untyped) return UntypedAt(characters, *plan.untyped);
    const std::vector<KeyCode> lent = KeysLent(plan);
    for (const TypingBatch& batch : plan.batches) {
        if (!batch.borrowed.empty()) WriteLentKeys(display, map.perKey, lent, batch.borrowed);
        TypeBatch(x11, modifiers, window, batch);
    }
    WriteLentKeys(display, map.perKey, lent, {});
    return std::nullopt;
}

}  // namespace ml
