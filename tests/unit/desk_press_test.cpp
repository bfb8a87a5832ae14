// ~Desk.Press and the inside corner on the recording fake: the key records and
// messages a chord becomes, the names it refuses, and where a window's client area
// starts. The fake's scan code of a key is the key plus 1000.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;

struct PressRun : TestRun {
    PressRun() {
        fake.desktop.size = {1920, 1080};
        fake.desktop.shown = {{22, "Calculator", {400, 50, 228, 396}}};
    }
    const Log& desktop(std::string_view script) {
        run(script);
        return fake.desktop.log;
    }
};

}  // namespace

TEST(DeskPress, SynthesisedChordsPressModifiersFirstAndReleaseInReverse) {
    PressRun t;
    // Names in any case, chords apart by blanks and tabs; a modifier written after its
    // key still goes down first.
    EXPECT_EQ(t.desktop("~Desk.Press(0, \" CTRL+Shift+t\\x09 a+ctrl  alt+F4 \")\n"),
              (Log{"key 17 1017 0", "key 16 1016 0", "key 84 1084 0", "key 84 1084 2", "key 16 1016 2",
                   "key 17 1017 2", "key 17 1017 0", "key 65 1065 0", "key 65 1065 2", "key 17 1017 2",
                   "key 18 1018 0", "key 115 1115 0", "key 115 1115 2", "key 18 1018 2"}));
}

TEST(DeskPress, SynthesisedKeysOutsideTheKeypadAreMarkedExtended) {
    PressRun t;
    EXPECT_EQ(t.desktop("#Import <desk>\n~Press(0, \"shift+left delete win\")\n"),
              (Log{"key 16 1016 0", "key 37 1037 1", "key 37 1037 3", "key 16 1016 2", "key 46 1046 1",
                   "key 46 1046 3", "key 91 1091 1", "key 91 1091 3"}));
}

// lParam: 1 repeat | scan & 0xFF << 16 | extended << 24 | Alt held << 29, and a
// release adds 3 << 30. Ctrl's scan 1017 keeps 249, s's 1083 keeps 59.
TEST(DeskPress, PostedChordsSendKeyMessagesWithTheirParameters) {
    PressRun t;
    EXPECT_EQ(t.desktop("~Desk.Press(7, \"ctrl+s\")\n"),
              (Log{"post 7 256 17 16318465", "post 7 256 83 3866625", "post 7 257 83 3225092097",
                   "post 7 257 17 3237543937"}));
}

// Under Alt the messages are the system key ones, Alt's own release only when no key
// went down beside it; F10 always is one; with Ctrl held too they are plain again.
TEST(DeskPress, PostedAltChordsSendTheSystemKeyMessages) {
    PressRun alt;
    // Alt 1018 keeps 250, F4 1115 keeps 91.
    EXPECT_EQ(alt.desktop("~Desk.Press(7, \"alt+f4 alt\")\n"),
              (Log{"post 7 260 18 553254913", "post 7 260 115 542834689", "post 7 261 115 3764060161",
                   "post 7 257 18 3237609473", "post 7 260 18 553254913", "post 7 261 18 3237609473"}));
    PressRun ctrl;
    // X (88): 1088 keeps 64.
    EXPECT_EQ(ctrl.desktop("~Desk.Press(7, \"ctrl+alt+x\")\n"),
              (Log{"post 7 256 17 16318465", "post 7 260 18 553254913", "post 7 256 88 541065217",
                   "post 7 257 88 3762290689", "post 7 257 18 3237609473", "post 7 257 17 3237543937"}));
    PressRun f10;
    // F10 (121): 1121 keeps 97; Left (37): 1037 keeps 13, extended.
    EXPECT_EQ(f10.desktop("~Desk.Press(7, \"f10 left\")\n"),
              (Log{"post 7 260 121 6356993", "post 7 261 121 3227582465", "post 7 256 37 17629185",
                   "post 7 257 37 3238854657"}));
}

TEST(DeskPress, NothingToPressOrNoWindowToPostToSendsNothing) {
    PressRun t;
    t.fake.desktop.display = {false, {}};
    EXPECT_TRUE(t.desktop("~Desk.Press(0, \"\")\n~Desk.Press(0, \"  \")\n~Desk.Press(\"00\", \"ctrl+s\")\n").empty());
    EXPECT_FALSE(t.ended) << t.out();
}

TEST(DeskPress, AnUnknownNameEndsTheRunNamingItBeforeAnyKeyGoesDown) {
    // An empty name (a + with nothing on one side) names its whole chord.
    const std::pair<const char*, const char*> cases[] = {
        {"ctrl+s Ctrl+Enterr", "Enterr"}, {"ctrl+", "ctrl+"}, {"a +b", "+b"}, {"ctrl++", "ctrl++"},
        {"f25", "f25"},                   {"plus", "plus"},
    };
    for (auto [keys, named] : cases) {
        PressRun t;
        t.run(std::string("~Desk.Press(0, \"") + keys + "\")\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Desk.Press -> Unknown key name: ") + named, t.entry(0))) << keys;
        EXPECT_TRUE(t.fake.desktop.log.empty()) << keys;
    }
    PressRun chinese;
    chinese.in->language = '3';
    chinese.run("~Desk.Press(7, \"shift+nope\")\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.Press -> 未知的按鍵名稱: nope\n錯誤：" + chinese.entry(0) + "\n");
}

TEST(DeskPress, WithoutADisplayPressAndTheInsideCornerEndTheRun) {
    for (const char* call : {"~Desk.Press(0, \"a\")", "~Desk.Press(7, \"ctrl+a\")", "$x = ~Desk.InsideX(22)",
                             "$y = ~Desk.InsideY(0)"}) {
        PressRun t;
        t.fake.desktop.display = {false, "DISPLAY=:7"};
        t.run(std::string(call) + "\n");
        EXPECT_EQ(t.out(), Report(1, "No display to work on: DISPLAY=:7", t.entry(0))) << call;
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
}

TEST(DeskPress, CountAndPositionComeFromTheTable) {
    PressRun count;
    count.run("~Desk.Press(0)\n");
    EXPECT_EQ(count.out(), Report(1, "~desk.press -> Several parameters: 2", count.entry(0)));
    PressRun value;
    value.run("$a = ~Desk.Press(0, \"a\")\n");
    EXPECT_EQ(value.out(), Report(1, "Prohibit the return value of the data: ~desk.press", value.entry(0)));
    PressRun statement;
    statement.run("~Desk.InsideX(22)\n");
    EXPECT_EQ(statement.out(), Report(1, "Need to return value to the data: ~desk.insidex", statement.entry(0)));
}

// Scripts written before these names came keep calling their own functions of those
// names; the full name still reaches the module, and older desk names keep their
// place ahead of a script's function.
TEST(DeskPress, TheNewShortNamesGiveWayToTheScriptsOwnFunctions) {
    PressRun t;
    t.run("#Import <desk>\n#Import <dos>\nDef: Press($a, $b)\n  ~Print(\"own \" $a $b \";\")\nEnd Def\n"
          "Def: InsideX($w)\n  Return 5\nEnd Def\nDef: Close($w)\n  ~Print(\"never\")\nEnd Def\n"
          "~Press(1, 2)\n~Print(~InsideX(22) \";\" ~InsideY(22) \";\")\n~Desk.Press(0, \"a\")\n~Close(22)\n");
    EXPECT_EQ(t.out(), "own 12;5;2022;");
    EXPECT_EQ(t.fake.desktop.log, (Log{"key 65 1065 0", "key 65 1065 2", "close 22"}));
}

// The fake puts a window's client area 1000 right of and 2000 below its handle; the
// frame's corner is elsewhere, so the corner comes from the client area.
TEST(DeskInside, TheClientCornerOfAWindowZeroForTheScreenAndForNoWindow) {
    PressRun t;
    t.run("#Import <desk>\n#Import <dos>\n~Print(~InsideX(22) \",\" ~InsideY(22) \";\" ~InsideX(0) \",\" ~InsideY(0))\n"
          "$dx = ~InsideX(22) - ~X(22)\n$dy = ~InsideY(22) - ~Y(22)\n"
          "~Print(\";\" ~InsideX(5) \",\" ~InsideY(5) \";\" $dx \",\" $dy)\n");
    EXPECT_EQ(t.out(), "1022,2022;0,0;0,0;622,1972");
}

}  // namespace ml
