// The desk module's controls and clipboard on the recording fake: which control a name
// picks, what reaches the desktop, and the handles the functions refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/desk_controls.h"
#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;

// A window 11 whose controls, depth first, are a group box holding two buttons, an
// edit field, a second group holding another edit, and a button after them.
struct ControlsRun : TestRun {
    ControlsRun() {
        fake.desktop.shown = {{11, "Save changes?", {10, 20, 300, 200}}};
        fake.desktop.windowControls[11] = {{101, "Button", "&Options", true},
                                           {102, "Button", "&Yes", true},
                                           {103, "Button", "Save && &Quit", true},
                                           {104, "Edit", "first", true},
                                           {105, "Button", "Item #2", true},
                                           {106, "Edit", "second", true},
                                           {107, "Static", "&No", false},
                                           {108, "Button", "&No", true}};
    }
    std::string printed(std::string_view script) {
        run(std::string("#Import <desk>\n#Import <dos>\n") + std::string(script));
        return out();
    }
};

}  // namespace

TEST(DeskControlNames, AccessMarksAreLeftOutAndADoubleMarkIsOneAmpersand) {
    EXPECT_EQ(WithoutAccessMarks("&Yes"), "Yes");
    EXPECT_EQ(WithoutAccessMarks("Save && &Quit"), "Save & Quit");
    EXPECT_EQ(WithoutAccessMarks("&&&N"), "&N");
    EXPECT_EQ(WithoutAccessMarks("Tail&"), "Tail");
    EXPECT_EQ(WithoutAccessMarks(""), "");
}

TEST(DeskControlNames, TheFirstCaptionOrClassDepthFirstAndClassNumbersCountFromOne) {
    ControlsRun t;
    const std::vector<Control>& controls = t.fake.desktop.windowControls[11];
    EXPECT_EQ(PickControl(controls, "Yes"), 102);
    EXPECT_EQ(PickControl(controls, "Save & Quit"), 103);
    EXPECT_EQ(PickControl(controls, "Edit"), 104);
    EXPECT_EQ(PickControl(controls, "edit"), 104);
    EXPECT_EQ(PickControl(controls, "Edit#2"), 106);
    EXPECT_EQ(PickControl(controls, "BUTTON#3"), 103);
    // A caption that reads like a class number is a caption first.
    EXPECT_EQ(PickControl(controls, "Item #2"), 105);
    // A control without access marks keeps its & as written.
    EXPECT_EQ(PickControl(controls, "No"), 108);
    EXPECT_EQ(PickControl(controls, "&No"), 107);
    for (const char* none : {"Edit#3", "Edit#0", "Edit#", "#1", "Edit#1x", "Edit#-1", "yes", "Ye", ""})
        EXPECT_EQ(PickControl(controls, none), 0) << none;
}

TEST(DeskControl, FindsByNameReadsSetsAndPushesThroughTheDesktop) {
    ControlsRun t;
    EXPECT_EQ(t.printed("$no = ~Control(11, \"No\")\n$e = ~Desk.Control(11, \"Edit#2\")\n"
                        "~Print($no \",\" $e \",\" ~Control(11, \"Maybe\") \",\" ~Text($e) \",\" ~Text(11) \",\" ~Text($no))\n"
                        "~SetText($e, \"a, b (c)\")\n~Push($no)\n"),
              "108,106,0,second,Save changes?,&No");
    EXPECT_EQ(t.fake.desktop.log,
              (Log{"controls 11", "controls 11", "controls 11", "set text 106 a, b (c)", "push 108"}));
}

// As a text, never computed, a value holds at most 251 bytes: the quotes take the rest.
TEST(DeskControl, TextIsDataCutToAValueAndNeverComputed) {
    ControlsRun t;
    t.fake.desktop.windowControls[11][3].text = "2024/01/02";
    t.fake.desktop.windowControls[11][5].text = std::string(300, 'x');
    EXPECT_EQ(t.printed("$d = ~Text(104)\n$long = ~Text(106)\n~Print($d \",\" ~String.Len($long))\n"), "2024/01/02,251");
}

TEST(DeskControl, AHandleThatIsNoWindowOrControlEndsTheRunNamingTheFunction) {
    for (const auto& [call, message] : std::vector<std::pair<std::string, std::string>>{
             {"$c = ~Desk.Control(999, \"OK\")", "~Desk.Control -> Not a window or control: 999"},
             {"$c = ~Desk.Control(0, \"OK\")", "~Desk.Control -> Not a window or control: 0"},
             {"$t = ~Desk.Text(abc)", "~Desk.Text -> Not a window or control: abc"},
             {"~Desk.SetText(12, \"x\")", "~Desk.SetText -> Not a window or control: 12"},
             {"~Desk.Push(-108)", "~Desk.Push -> Not a window or control: -108"}}) {
        ControlsRun t;
        t.run(call + "\n");
        EXPECT_EQ(t.out(), Report(1, message, t.entry(0))) << call;
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
    ControlsRun chinese;
    chinese.in->language = '3';
    chinese.run("~Desk.Push(5)\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.Push -> 不是視窗或控制項: 5\n錯誤：" + chinese.entry(0) + "\n");
}

TEST(DeskControl, UnreachableControlsGiveZeroAndAreToldOnceOnStandardError) {
    ControlsRun t;
    t.fake.desktop.controlsReachable = false;
    EXPECT_EQ(t.printed("~Print(~Control(11, \"Yes\") \",\" ~Control(11, \"No\"))\n"), "0,0");
    EXPECT_EQ(t.fake.console.errors,
              "~Desk.Control -> No accessibility bus answers: controls can not be found by name\n");
}

TEST(DeskControl, TheNewCallsNeedTheDisplayAndTheirArgumentCounts) {
    for (const char* call : {"$c = ~Desk.Control(11, \"Yes\")", "$t = ~Desk.Text(11)", "~Desk.SetText(104, \"x\")",
                             "~Desk.Push(102)", "$c = ~Desk.Clipboard()", "~Desk.SetClipboard(\"x\")"}) {
        ControlsRun t;
        t.fake.desktop.display = {false, "DISPLAY=:7"};
        t.run(std::string(call) + "\n");
        EXPECT_EQ(t.out(), Report(1, "No display to work on: DISPLAY=:7", t.entry(0))) << call;
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
    ControlsRun count;
    count.run("$c = ~Desk.Control(11)\n");
    EXPECT_NE(count.out().find("~desk.control"), std::string::npos) << count.out();
}

TEST(DeskClipboard, SetThenReadAsDataCutToAValue) {
    ControlsRun t;
    t.fake.desktop.clipboard = "555-1234";
    EXPECT_EQ(t.printed("$before = ~Clipboard()\n~SetClipboard(\"copied \\x22text\\x22, (1)\")\n"
                        "~Print($before \"|\" ~Desk.Clipboard())\n"),
              "555-1234|copied \"text\", (1)");
    ControlsRun longText;
    longText.fake.desktop.clipboard = std::string(400, 'y');
    EXPECT_EQ(longText.printed("$c = ~Desk.Clipboard()\n~Print(~String.Len($c))\n"), "251");
}

TEST(DeskClipboard, AClipboardThatCannotBeTakenEndsTheRun) {
    ControlsRun t;
    t.fake.desktop.clipboardTaken = false;
    t.run("~Desk.SetClipboard(\"x\")\n");
    EXPECT_EQ(t.out(), Report(1, "~Desk.SetClipboard -> Can not take the clipboard", t.entry(0)));
    ControlsRun chinese;
    chinese.in->language = '3';
    chinese.fake.desktop.clipboardTaken = false;
    chinese.run("~Desk.SetClipboard(\"x\")\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.SetClipboard -> 無法取得剪貼簿\n錯誤：" + chinese.entry(0) + "\n");
}

}  // namespace ml
