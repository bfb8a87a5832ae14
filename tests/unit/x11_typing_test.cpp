// Typing on X11: the key presses planned for a text against a keyboard map, and the
// decoding of the script's UTF-8.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <string>
#include <vector>

#include "platform/posix/x11_typing.h"

namespace ml {
namespace {

// Key codes 8 to 20, two columns each; 8 and 20 hold nothing, 15 only the lower-case w.
KeyboardMap SmallKeyboard() {
    return {8, 2, {NoSymbol, NoSymbol, XK_h, XK_H, XK_e, XK_E, XK_l, XK_L, XK_o, XK_O, XK_comma, XK_less,
                   XK_space, NoSymbol, XK_w, NoSymbol, XK_r, XK_R, XK_d, XK_D, XK_1, XK_exclam, XK_Return, NoSymbol,
                   NoSymbol, NoSymbol}};
}

std::vector<std::string> Strokes(const TypingPlan& plan) {
    std::vector<std::string> strokes;
    for (const Keystroke& stroke : plan.strokes)
        strokes.push_back(std::to_string(stroke.keycode) + (stroke.shift ? "+shift" : ""));
    return strokes;
}

TEST(X11Typing, MixedTextTakesShiftWhereTheCharacterNeedsIt) {
    const TypingPlan plan = PlanTyping(SmallKeyboard(), U"Hello, World!\n");
    EXPECT_EQ(Strokes(plan), (std::vector<std::string>{"9+shift", "10", "11", "11", "12", "13", "14", "15+shift", "12",
                                                       "16", "11", "17", "18+shift", "19"}));
    EXPECT_TRUE(plan.borrowed.empty());
}

TEST(X11Typing, CharactersNoKeyGivesBorrowSpareKeysOnceEach) {
    // The euro sign has a Unicode keysym, Ä its Latin-1 one; CR LF is one Enter, other
    // control characters are left out, and with no spare key left the tab is not typed.
    const TypingPlan plan = PlanTyping(SmallKeyboard(), U"\u20ac\u00c4\u20ac\r\n\x01\t");
    EXPECT_EQ(Strokes(plan), (std::vector<std::string>{"20", "8", "20", "19"}));
    EXPECT_EQ(plan.borrowed, (std::vector<std::pair<KeyCode, KeySym>>{{20, 0x010020ACul}, {8, XK_Adiaeresis}}));
}

TEST(X11Typing, KeysymsOfLineEndsTabsAndControls) {
    EXPECT_EQ(KeysymOfCharacter('\r'), static_cast<KeySym>(XK_Return));
    EXPECT_EQ(KeysymOfCharacter('\t'), static_cast<KeySym>(XK_Tab));
    EXPECT_EQ(KeysymOfCharacter(0x7F), 0ul);
    EXPECT_EQ(KeysymOfCharacter(0x9F), 0ul);
    EXPECT_EQ(KeysymOfCharacter(0xA0), 0xA0ul);
    EXPECT_EQ(KeysymOfCharacter(0x1F600), 0x0101F600ul);
}

TEST(X11Typing, Utf8DecodingReplacesEveryBadByte) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"a\u00e9\u20ac\U0001F600");
    // An overlong slash, a cut euro sign at the end, an encoded surrogate.
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\ufffd\ufffd");
    EXPECT_EQ(DecodeUtf8("x\xE2\x82"), U"x\ufffd\ufffd");
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\ufffd\ufffd\ufffd");
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), U"\ufffd\ufffd\ufffd\ufffd");
}

TEST(X11Typing, KeyboardMapReadsNothingOutsideItself) {
    const KeyboardMap map = SmallKeyboard();
    EXPECT_EQ(map.at(7, 0), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(map.at(21, 0), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(map.at(9, 2), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(map.at(9, 1), static_cast<KeySym>(XK_H));
    EXPECT_TRUE(PlanTyping(KeyboardMap{}, U"abc").strokes.empty());
}

}  // namespace
}  // namespace ml
