// The parts of the Wayland desktop that need no compositor: which desktop is chosen,
// the keymap uploaded for the virtual keyboard, how a captured frame becomes the
// screen image, and reading the compositor's JSON answers into windows.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <string>
#include <vector>

#include "platform/posix/json_reader.h"
#include "platform/posix/posix_desktop_choice.h"
#include "platform/posix/sway_ipc.h"
#include "platform/posix/wayland_capture.h"
#include "platform/posix/wayland_keymap.h"

namespace ml {

namespace {

// Gives no names, so the keymap writes every keysym as its number.
int NoNames(std::uint32_t, char*, std::size_t) { return -1; }

std::string KeyLine(WaylandKeymap& keymap, std::uint32_t keysym, const std::string& levels) {
    return "  key <K" + std::to_string(*keymap.codeOf(keysym)) + "> { [ " + levels + " ] };\n";
}

}  // namespace

TEST(DesktopChoice, ForcedDesktopWinsAndAnUnknownNameChoosesNone) {
    int asked = 0;
    const auto usable = [&] { return ++asked, true; };
    EXPECT_EQ(ChooseDesktop("x11", "wayland-1", usable), DesktopKind::X11);
    EXPECT_EQ(ChooseDesktop("wayland", "", usable), DesktopKind::Wayland);
    EXPECT_EQ(ChooseDesktop("X11", "", usable), DesktopKind::Unknown);
    EXPECT_EQ(ChooseDesktop("mir", "wayland-1", usable), DesktopKind::Unknown);
    EXPECT_EQ(asked, 0);
}

// A compositor without the protocols leaves its XWayland programs to X11.
TEST(DesktopChoice, WaylandOnlyWhereTheCompositorOffersWhatIsNeeded) {
    int asked = 0;
    EXPECT_EQ(ChooseDesktop("", "", [&] { return ++asked, true; }), DesktopKind::X11);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(ChooseDesktop("", "wayland-1", [] { return true; }), DesktopKind::Wayland);
    EXPECT_EQ(ChooseDesktop("", "wayland-1", [] { return false; }), DesktopKind::X11);
}

TEST(WaylandKeymap, LettersDigitsAndPunctuationShiftAsOnAUsKeyboard) {
    WaylandKeymap keymap;
    const std::string text = keymap.text(NoNames);
    EXPECT_NE(text.find(KeyLine(keymap, XK_a, "0x00000061, 0x00000041")), std::string::npos);
    EXPECT_NE(text.find(KeyLine(keymap, XK_1, "0x00000031, 0x00000021")), std::string::npos);
    EXPECT_NE(text.find(KeyLine(keymap, XK_slash, "0x0000002f, 0x0000003f")), std::string::npos);
    EXPECT_NE(text.find(KeyLine(keymap, XK_Return, "0x0000ff0d")), std::string::npos);
    EXPECT_EQ(text.back(), '\0');
}

// XKB sets a modifier only for keys its modifier map names.
TEST(WaylandKeymap, ModifierKeysAreInTheModifierMap) {
    WaylandKeymap keymap;
    const std::string text = keymap.text(NoNames);
    const auto mapped = [&](std::uint32_t keysym, const std::string& modifier) {
        const std::string line = "modifier_map " + modifier + " { <K" + std::to_string(*keymap.codeOf(keysym)) + "> };";
        return text.find(line) != std::string::npos;
    };
    EXPECT_TRUE(mapped(XK_Shift_L, "Shift"));
    EXPECT_TRUE(mapped(XK_Control_L, "Control"));
    EXPECT_TRUE(mapped(XK_Alt_L, "Mod1"));
    EXPECT_TRUE(mapped(XK_Super_L, "Mod4"));
    EXPECT_EQ(HeldModifierOf(XK_Shift_R), 1u);
    EXPECT_EQ(HeldModifierOf(XK_Control_R), 4u);
    EXPECT_EQ(HeldModifierOf(XK_Alt_L), 8u);
    EXPECT_EQ(HeldModifierOf(XK_Super_L), 64u);
    EXPECT_EQ(HeldModifierOf(XK_Caps_Lock), 0u);
    EXPECT_EQ(HeldModifierOf(XK_a), 0u);
}

// A character no key gives at its first level (a capital, é, a CJK character) gets a
// key of its own, once; when every code is taken the keymap says so, and forgetting
// the added keys makes room again without moving the keys every keymap has.
TEST(WaylandKeymap, CharactersGetKeysOfTheirOwnUntilTheCodesRunOut) {
    WaylandKeymap keymap;
    keymap.text(NoNames);
    EXPECT_FALSE(keymap.changed());
    const std::uint32_t a = *keymap.codeOf(XK_a);
    EXPECT_FALSE(keymap.changed());
    const std::uint32_t eacute = *keymap.codeOf(XK_eacute);
    EXPECT_TRUE(keymap.changed());
    EXPECT_EQ(keymap.codeOf(XK_eacute), eacute);
    EXPECT_NE(keymap.codeOf(XK_A), a);
    std::uint32_t character = 0x01004E00;
    while (keymap.keys().size() < WaylandKeymap::kMostKeys) ASSERT_TRUE(keymap.codeOf(character++));
    EXPECT_EQ(keymap.codeOf(character), std::nullopt);
    EXPECT_EQ(keymap.codeOf(XK_eacute), eacute);
    keymap.forgetAdded();
    EXPECT_EQ(keymap.codeOf(XK_a), a);
    EXPECT_TRUE(keymap.codeOf(character));
}

TEST(WaylandCapture, FramePixelsBecomeBottomUpBlueGreenRedRows) {
    // 2 × 2, XRGB8888 in memory: blue, green, red, unused; rows of 12 bytes.
    CapturedFrame frame{2, 2, 12, WL_SHM_FORMAT_XRGB8888, false,
                        {1, 2, 3, 0, 4, 5, 6, 0, 9, 9, 9, 9, 7, 8, 9, 0, 10, 11, 12, 0, 9, 9, 9, 9}};
    ScreenImage image;
    ClearScreenImage(image, 3, 2);
    PlaceFrame(frame, 1, 0, image);
    // Rows of 9 bytes padded to 12, the bottom row first.
    const std::vector<std::uint8_t> expected = {0, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 0,
                                                0, 0, 0, 1, 2, 3, 4,  5,  6,  0, 0, 0};
    EXPECT_EQ(image.pixels, expected);
}

TEST(WaylandCapture, RedFirstFormatsAndUpsideDownFramesAreTurnedRight) {
    CapturedFrame frame{1, 2, 4, WL_SHM_FORMAT_XBGR8888, true, {1, 2, 3, 0, 4, 5, 6, 0}};
    ScreenImage image;
    ClearScreenImage(image, 1, 2);
    PlaceFrame(frame, 0, 0, image);
    // The frame's last row is the picture's top; red first becomes blue first.
    const std::vector<std::uint8_t> expected = {3, 2, 1, 0, 6, 5, 4, 0};
    EXPECT_EQ(image.pixels, expected);
}

// Outputs left of or above the picture, or past its edge, and frames shorter than
// they claim, write nothing outside it.
TEST(WaylandCapture, WhatFallsOutsideTheImageIsDropped) {
    CapturedFrame frame{2, 2, 8, WL_SHM_FORMAT_XRGB8888, false, {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0, 4, 4, 4, 0}};
    ScreenImage image;
    ClearScreenImage(image, 1, 1);
    PlaceFrame(frame, -1, -1, image);
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{4, 4, 4, 0}));
    PlaceFrame(frame, 1, 1, image);
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{4, 4, 4, 0}));
    frame.bytes.resize(10);
    ClearScreenImage(image, 1, 1);
    PlaceFrame(frame, 0, 0, image);
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(JsonReader, ReadsNestedValuesAndEscapes) {
    const std::optional<JsonValue> value =
        ReadJson(R"( {"name": "caf\u00e9 \"x\"\n", "n": -12.5, "ok": true, "list": [1, {"a": null}], "e": {}} )");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->textOf("name"), "caf\xc3\xa9 \"x\"\n");
    EXPECT_EQ(value->numberOf("n"), -12.5);
    EXPECT_TRUE(value->isTrue("ok"));
    ASSERT_NE(value->member("list"), nullptr);
    EXPECT_EQ(value->member("list")->items.size(), 2u);
    EXPECT_EQ(value->member("list")->items[1].member("a")->kind, JsonValue::Kind::Null);
    EXPECT_EQ(value->textOf("missing"), "");
    EXPECT_EQ(value->numberOf("name", 7), 7);
}

// Outside text that is no JSON, ends early, or nests without end gives nothing.
TEST(JsonReader, RefusesBrokenTruncatedAndBottomlessTexts) {
    for (const char* broken : {"", "{", "[1,", "{\"a\" 1}", "\"open", "\"bad \\q\"", "\"\\u12\"", "[1] 2", "tru", "{\"a\":}"})
        EXPECT_FALSE(ReadJson(broken)) << broken;
    EXPECT_FALSE(ReadJson(std::string(kJsonDeepest + 2, '[') + std::string(kJsonDeepest + 2, ']')));
    EXPECT_TRUE(ReadJson(std::string(kJsonDeepest, '[') + std::string(kJsonDeepest, ']')));
}

// Tiled windows hang in "nodes", floating ones in "floating_nodes"; the rectangle a
// node gives leaves out its title bar, and its window's is relative to it.
TEST(SwayTree, ViewsWithTheirBoxesInTheOrderTheyWereMade) {
    const std::optional<JsonValue> tree = ReadJson(R"({"type": "root", "nodes": [{"type": "output", "nodes": [
        {"type": "workspace", "nodes": [
            {"type": "con", "id": 9, "name": "Term", "app_id": "foot", "visible": true,
             "rect": {"x": 0, "y": 25, "width": 800, "height": 575},
             "window_rect": {"x": 2, "y": 0, "width": 796, "height": 573},
             "deco_rect": {"x": 0, "y": 0, "width": 800, "height": 25}, "nodes": []}],
         "floating_nodes": [
            {"type": "floating_con", "id": 4, "name": "Ask", "app_id": "zenity", "visible": false,
             "rect": {"x": 304, "y": 240, "width": 192, "height": 122},
             "window_rect": {"x": 2, "y": 0, "width": 188, "height": 120},
             "deco_rect": {"x": 0, "y": -25, "width": 192, "height": 25}}]}]}]})");
    ASSERT_TRUE(tree);
    const std::vector<SwayView> views = ViewsOfTree(*tree);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].title, "Ask");
    EXPECT_EQ(views[0].outer, (WindowRect{304, 215, 192, 147}));
    EXPECT_EQ(views[0].inside, (WindowRect{306, 240, 188, 120}));
    EXPECT_FALSE(views[0].visible);
    EXPECT_EQ(views[1].appId, "foot");
    EXPECT_EQ(views[1].outer, (WindowRect{0, 0, 800, 600}));
    EXPECT_TRUE(views[1].visible);
}

}  // namespace ml
