#include "automation/key_chords.h"

#include <algorithm>
#include <vector>

#include "automation/desk_messages.h"
#include "automation/desktop_access.h"
#include "automation/input_codes.h"
#include "automation/key_names.h"
#include "core/errors.h"
#include "core/strings.h"

namespace ml {

namespace {

constexpr int kShiftKey = 0x10;
constexpr int kCtrlKey = 0x11;
constexpr int kAltKey = 0x12;
constexpr int kWinKey = 0x5B;
constexpr int kF10Key = 0x79;

// The keys of one chord, in the order they go down.
using KeyChord = std::vector<int>;

bool IsModifier(int key) { return key == kShiftKey || key == kCtrlKey || key == kAltKey || key == kWinKey; }

// The keys that sit outside the numeric keypad (the arrows, the editing block, the
// Windows key): marked extended, they are not taken for keypad keys with Num Lock on.
bool IsExtended(int key) { return (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E || key == kWinKey; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A + with nothing on one side leaves an empty name, which says nothing by itself:
// the error names the chord instead.
KeyChord ReadChord(Interp& in, std::string_view chord) {
    KeyChord keys;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = std::min(chord.find('+', start), chord.size());
        const std::string_view name = chord.substr(start, plus - start);
        const std::optional<int> key = VirtualKeyOfName(AsciiLower(std::string(name)));
        if (!key) Fail(in, Say(in, kMsgPressUnknownKey) + std::string(name.empty() ? chord : name));
        keys.push_back(*key);
        if (plus == chord.size()) break;
        start = plus + 1;
    }
    std::stable_partition(keys.begin(), keys.end(), IsModifier);
    return keys;
}

std::vector<KeyChord> ReadChords(Interp& in, std::string_view text) {
    std::vector<KeyChord> chords;
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsBlank(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end])) ++end;
        chords.push_back(ReadChord(in, text.substr(at, end - at)));
        at = end;
    }
    return chords;
}

bool Holds(const std::vector<int>& down, int key) { return std::find(down.begin(), down.end(), key) != down.end(); }

// A posted key is a system key, as the system makes it, while Alt is held without Ctrl
// (Alt and Ctrl themselves count as system keys under Alt), and F10 always is. Alt's
// own release is one only when no key went down while it was held.
std::uint32_t KeyMessage(const std::vector<int>& down, int key, bool press, bool altAlone) {
    const bool altHeld = Holds(down, kAltKey);
    bool system = key == kF10Key || (altHeld && (key == kAltKey || key == kCtrlKey || !Holds(down, kCtrlKey)));
    if (key == kAltKey && !press) system = altAlone;
    if (system) return press ? kSysKeyDownMessage : kSysKeyUpMessage;
    return press ? kKeyDownMessage : kKeyUpMessage;
}

// The lParam of a key message: one repeat, the scan code, the extended bit, whether Alt
// is held, and for a release the previous state and the transition.
std::uint64_t KeyParameter(std::uint32_t scan, int key, bool altHeld, bool press) {
    std::uint64_t lParam = 1 | (static_cast<std::uint64_t>(scan) & 0xFF) << 16;
    if (IsExtended(key)) lParam |= 1u << 24;
    if (altHeld) lParam |= 1u << 29;
    if (!press) lParam |= 3u << 30;
    return lParam;
}

// One key going down or up; down holds the keys of the chord that are down, this one
// included when it goes down and no longer when it comes up.
void SendChordKey(Desktop& desktop, InputTarget target, const std::vector<int>& down, int key, bool press,
                  bool altAlone) {
    const std::uint32_t scan = desktop.scanCode(static_cast<std::uint32_t>(key));
    if (target.desktop) {
        const std::uint32_t flags = (press ? 0 : kKeyUpFlag) | (IsExtended(key) ? kExtendedKeyFlag : 0);
        desktop.sendKey({static_cast<std::uint16_t>(key), static_cast<std::uint16_t>(scan), flags});
        return;
    }
    desktop.postMessage(target.window, KeyMessage(down, key, press, altAlone), static_cast<std::uint64_t>(key),
                        KeyParameter(scan, key, Holds(down, kAltKey), press));
}

void PressChord(Desktop& desktop, InputTarget target, const KeyChord& keys) {
    std::vector<int> down;
    for (const int key : keys) {
        down.push_back(key);
        SendChordKey(desktop, target, down, key, true, false);
    }
    while (!down.empty()) {
        const int key = down.back();
        down.pop_back();
        SendChordKey(desktop, target, down, key, false, key == kAltKey && keys.back() == kAltKey);
    }
}

}  // namespace

void PressChords(Interp& in, InputTarget target, const std::string& keys) {
    const std::vector<KeyChord> chords = ReadChords(in, keys);
    // A message posted to no window reaches nobody.
    if (chords.empty() || (!target.desktop && target.window == 0)) return;
    Desktop& desktop = DesktopFor(in, target);
    for (const KeyChord& chord : chords) PressChord(desktop, target, chord);
}

}  // namespace ml
