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

std::vector<std::string> Strokes(const TypingBatch& batch) {
    std::vector<std::string> strokes;
    for (const Keystroke& stroke : batch.strokes)
        strokes.push_back(std::to_string(stroke.keycode) + (stroke.shift ? "+shift" : ""));
    return strokes;
}

using Lent = std::vector<std::pair<KeyCode, KeySym>>;
using Pressed = std::vector<std::string>;

constexpr KeySym Unicode(char32_t character) { return 0x01000000ul | character; }

TEST(X11Typing, MixedTextTakesShiftWhereTheCharacterNeedsIt) {
    const TypingPlan plan = PlanTyping(SmallKeyboard(), U"Hello, World!\n");
    ASSERT_EQ(plan.batches.size(), 1u);
    EXPECT_EQ(Strokes(plan.batches[0]),
              (Pressed{"9+shift", "10", "11", "11", "12", "13", "14", "15+shift", "12", "16", "11", "17", "18+shift", "19"}));
    EXPECT_TRUE(plan.batches[0].borrowed.empty());
    EXPECT_FALSE(plan.untyped);
}

TEST(X11Typing, CharactersNoKeyGivesBorrowSpareKeysOnceABatch) {
    // The euro sign has a Unicode keysym, Ä its Latin-1 one; CR LF is one Enter, other
    // control characters are left out, and the tab, with both spare keys lent, waits
    // for a second batch.
    const TypingPlan plan = PlanTyping(SmallKeyboard(), U"\u20ac\u00c4\u20ac\r\n\x01\t");
    ASSERT_EQ(plan.batches.size(), 2u);
    EXPECT_EQ(Strokes(plan.batches[0]), (Pressed{"20", "8", "20", "19"}));
    EXPECT_EQ(plan.batches[0].borrowed, (Lent{{20, Unicode(0x20AC)}, {8, XK_Adiaeresis}}));
    EXPECT_EQ(Strokes(plan.batches[1]), (Pressed{"20"}));
    EXPECT_EQ(plan.batches[1].borrowed, (Lent{{20, XK_Tab}}));
}

TEST(X11Typing, MoreDistinctCharactersThanSpareKeysLendThemAgainBatchByBatch) {
    // Two spare keys for five characters; a key lent in an earlier batch is lent
    // anew when its character comes back, and keys of the map go into any batch.
    const TypingPlan plan = PlanTyping(SmallKeyboard(), U"\u0436\u044fh\u0436\u03b1\u4e2d\u044f\u03b1!");
    ASSERT_FALSE(plan.untyped);
    ASSERT_EQ(plan.batches.size(), 3u);
    EXPECT_EQ(plan.batches[0].borrowed, (Lent{{20, Unicode(0x0436)}, {8, Unicode(0x044F)}}));
    EXPECT_EQ(Strokes(plan.batches[0]), (Pressed{"20", "8", "9", "20"}));
    EXPECT_EQ(plan.batches[1].borrowed, (Lent{{20, Unicode(0x03B1)}, {8, Unicode(0x4E2D)}}));
    EXPECT_EQ(Strokes(plan.batches[1]), (Pressed{"20", "8"}));
    EXPECT_EQ(plan.batches[2].borrowed, (Lent{{20, Unicode(0x044F)}, {8, Unicode(0x03B1)}}));
    EXPECT_EQ(Strokes(plan.batches[2]), (Pressed{"20", "8", "18+shift"}));
}

TEST(X11Typing, NothingIsPlannedWhenACharacterCannotBeTyped) {
    // A map without a spare key types what its keys give, and no other character.
    const KeyboardMap full{8, 2, {XK_a, XK_A, XK_Return, NoSymbol}};
    EXPECT_EQ(PlanTyping(full, U"aA\n").batches.size(), 1u);
    const TypingPlan noSpare = PlanTyping(full, U"aA\u00e9a");
    EXPECT_EQ(noSpare.untyped, 2u);
    EXPECT_TRUE(noSpare.batches.empty());
    // A byte that starts no character is typed as nothing else, with spare keys or not.
    const std::u32string badByte{U'h', U'\u20ac', kNotACharacter, U'e'};
    EXPECT_EQ(PlanTyping(SmallKeyboard(), badByte).untyped, 2u);
    EXPECT_EQ(PlanTyping(full, U"\x01" "a\u0436").untyped, 2u);
}

TEST(X11Typing, KeysymsOfLineEndsTabsAndControls) {
    EXPECT_EQ(KeysymOfCharacter('\r'), static_cast<KeySym>(XK_Return));
    EXPECT_EQ(KeysymOfCharacter('\t'), static_cast<KeySym>(XK_Tab));
    EXPECT_EQ(KeysymOfCharacter(0x7F), 0ul);
    EXPECT_EQ(KeysymOfCharacter(0x9F), 0ul);
    EXPECT_EQ(KeysymOfCharacter(0xA0), 0xA0ul);
    EXPECT_EQ(KeysymOfCharacter(0x1F600), 0x0101F600ul);
}

TEST(X11Typing, Utf8DecodingMarksEveryBadByte) {
    constexpr char32_t kBad = kNotACharacter;
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"a\u00e9\u20ac\U0001F600");
    // A replacement character written in the text is one like any other.
    EXPECT_EQ(DecodeUtf8("\xEF\xBF\xBD"), U"\ufffd");
    // An overlong slash, a cut euro sign at the end, an encoded surrogate, a code
    // past U+10FFFF.
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), (std::u32string{kBad, kBad}));
    EXPECT_EQ(DecodeUtf8("x\xE2\x82"), (std::u32string{U'x', kBad, kBad}));
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (std::u32string{kBad, kBad, kBad}));
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), (std::u32string{kBad, kBad, kBad, kBad}));
}

TEST(X11Typing, KeyboardMapReadsNothingOutsideItself) {
    const KeyboardMap map = SmallKeyboard();
    EXPECT_EQ(map.at(7, 0), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(map.at(21, 0), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(map.at(9, 2), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(map.at(9, 1), static_cast<KeySym>(XK_H));
    EXPECT_EQ(PlanTyping(KeyboardMap{}, U"abc").untyped, 0u);
}

}  // namespace
}  // namespace ml
