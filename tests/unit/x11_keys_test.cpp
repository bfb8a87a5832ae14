// Virtual keys on X11: the keysym that names the key, the US scan code, and the
// way absolute input coordinates come back to pixels.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "platform/posix/x11_input.h"
#include "platform/posix/x11_keys.h"

namespace ml {
namespace {

TEST(X11Keys, LettersNameTheirKeyAndFollowTheKeyboardRows) {
    EXPECT_EQ(KeysymOfVirtualKey('A'), static_cast<unsigned long>(XK_a));
    EXPECT_EQ(KeysymOfVirtualKey('Z'), static_cast<unsigned long>(XK_z));
    EXPECT_EQ(ScanCodeOfVirtualKey('Q'), 0x10u);
    EXPECT_EQ(ScanCodeOfVirtualKey('P'), 0x19u);
    EXPECT_EQ(ScanCodeOfVirtualKey('A'), 0x1Eu);
    EXPECT_EQ(ScanCodeOfVirtualKey('L'), 0x26u);
    EXPECT_EQ(ScanCodeOfVirtualKey('Z'), 0x2Cu);
    EXPECT_EQ(ScanCodeOfVirtualKey('M'), 0x32u);
}

TEST(X11Keys, DigitsPutZeroAfterNine) {
    EXPECT_EQ(KeysymOfVirtualKey('0'), static_cast<unsigned long>(XK_0));
    EXPECT_EQ(KeysymOfVirtualKey('7'), static_cast<unsigned long>(XK_7));
    EXPECT_EQ(ScanCodeOfVirtualKey('1'), 0x02u);
    EXPECT_EQ(ScanCodeOfVirtualKey('9'), 0x0Au);
    EXPECT_EQ(ScanCodeOfVirtualKey('0'), 0x0Bu);
}

TEST(X11Keys, NamedKeysFunctionKeysAndTheNumberPad) {
    EXPECT_EQ(KeysymOfVirtualKey(0x0D), static_cast<unsigned long>(XK_Return));
    EXPECT_EQ(ScanCodeOfVirtualKey(0x0D), 0x1Cu);
    EXPECT_EQ(ScanCodeOfVirtualKey(0x1B), 0x01u);
    EXPECT_EQ(ScanCodeOfVirtualKey(0x10), 0x2Au);
    EXPECT_EQ(KeysymOfVirtualKey(0x25), static_cast<unsigned long>(XK_Left));
    EXPECT_EQ(ScanCodeOfVirtualKey(0x25), 0x4Bu);
    EXPECT_EQ(KeysymOfVirtualKey(0x70), static_cast<unsigned long>(XK_F1));
    EXPECT_EQ(ScanCodeOfVirtualKey(0x70), 0x3Bu);
    EXPECT_EQ(ScanCodeOfVirtualKey(0x79), 0x44u);  // F10
    EXPECT_EQ(ScanCodeOfVirtualKey(0x7A), 0x57u);  // F11
    EXPECT_EQ(ScanCodeOfVirtualKey(0x7B), 0x58u);  // F12
    EXPECT_EQ(KeysymOfVirtualKey(0x60), static_cast<unsigned long>(XK_KP_0));
    EXPECT_EQ(ScanCodeOfVirtualKey(0x60), 0x52u);
    EXPECT_EQ(ScanCodeOfVirtualKey(0x67), 0x47u);  // numpad 7
    EXPECT_EQ(KeysymOfVirtualKey(0xBA), static_cast<unsigned long>(XK_semicolon));
    EXPECT_EQ(ScanCodeOfVirtualKey(0xDE), 0x28u);
}

TEST(X11Keys, KeysWithoutAMeaningGiveZero) {
    for (std::uint32_t key : {0u, 0x07u, 0x3Au, 0xFFu, 0x100u, 0xFFFFFFFFu}) {
        EXPECT_EQ(KeysymOfVirtualKey(key), 0u) << key;
        EXPECT_EQ(ScanCodeOfVirtualKey(key), 0u) << key;
    }
}

// The automation code scales a pixel x to x * 65536 / side + 1; every pixel must
// come back as itself, on sides that divide 65536 and on sides that do not.
TEST(X11Input, AbsoluteCoordinatesComeBackToTheirPixel) {
    for (int side : {1, 7, 768, 1024, 1080, 1366, 1920, 2560, 65535}) {
        for (int pixel = 0; pixel < side; ++pixel) {
            const std::int32_t absolute = static_cast<std::int32_t>(static_cast<long long>(pixel) * 65536 / side + 1);
            ASSERT_EQ(PixelOfAbsolute(absolute, side), pixel) << "side " << side;
        }
    }
    EXPECT_EQ(PixelOfAbsolute(65502, 1920), 1919);
    EXPECT_EQ(PixelOfAbsolute(-5, 1920), 0);
    EXPECT_EQ(PixelOfAbsolute(1000000, 1920), 1919);
    EXPECT_EQ(PixelOfAbsolute(100, 0), 0);
}

}  // namespace
}  // namespace ml
