// A desktop that cannot do something at all (Wayland: posted input; without sway's
// IPC: where windows lie and moving them; a covered window's pixels): every function
// that needs it ends the run with a message that names the function and the desktop,
// before anything reaches the desktop. Input to the desktop itself still works.
#include <gtest/gtest.h>

#include <string>

#include "test_run.h"

namespace ml {

namespace {

struct LackingRun : TestRun {
    explicit LackingRun(DesktopAbility lacking) {
        fake.desktop.name = "wayland (WAYLAND_DISPLAY=wayland-1)";
        fake.desktop.lacking = {lacking};
        fake.desktop.shown = {{7, "Notes", {10, 20, 300, 200}}};
    }
};

// The call, the function's name as the report gives it, and the message between.
struct LackingCall {
    DesktopAbility ability;
    const char* call;
    const char* function;
    const char* message;
};

constexpr const char* kPosted = " -> Input to one window is not possible on this desktop: ";
constexpr const char* kGeometry = " -> Where windows lie is not known on this desktop: ";
constexpr const char* kMoving = " -> Windows can not be moved on this desktop: ";
constexpr const char* kPixels = " -> The pixels of one window can not be read on this desktop: ";

const LackingCall kCalls[] = {
    {DesktopAbility::PostedInput, "~Desk.Type(7, \"abc\")", "~desk.type", kPosted},
    {DesktopAbility::PostedInput, "~Desk.Click(7, \"left\", 5, 5, 1)", "~desk.click", kPosted},
    {DesktopAbility::PostedInput, "~Desk.Wheel(7, 1, 5, 5)", "~desk.wheel", kPosted},
    {DesktopAbility::PostedInput, "~Desk.Press(7, \"ctrl+s\")", "~desk.press", kPosted},
    {DesktopAbility::PostedInput, "~Lib.MouseMsg(7, 2, 5, 5)", "~lib.mousemsg", kPosted},
    {DesktopAbility::PostedInput, "~Lib.KeybdMsg(7, 0, 65)", "~lib.keybdmsg", kPosted},
    {DesktopAbility::WindowGeometry, "$x = ~Desk.X(7)", "~desk.x", kGeometry},
    {DesktopAbility::WindowGeometry, "$x = ~Desk.InsideY(7)", "~desk.insidey", kGeometry},
    {DesktopAbility::WindowGeometry, "$x = ~Desk.At(20, 30)", "~desk.at", kGeometry},
    {DesktopAbility::MoveWindows, "~Desk.Move(7, 1, 2, 3, 4)", "~desk.move", kMoving},
    {DesktopAbility::WindowPixels, "$p = ~Lib.GetPixel(7, 1, 1)", "~lib.getpixel", kPixels},
    {DesktopAbility::WindowPixels, "~Desk.Capture(7, \"notes.bmp\")", "~desk.capture", kPixels},
};

}  // namespace

TEST(DesktopLacks, EachFunctionThatNeedsWhatTheDesktopLacksEndsTheRunNamingBoth) {
    for (const LackingCall& lacking : kCalls) {
        LackingRun t(lacking.ability);
        t.run(lacking.call + std::string("\n"));
        EXPECT_TRUE(t.ended) << lacking.call;
        EXPECT_EQ(t.out(), Report(1, std::string(lacking.function) + lacking.message + t.fake.desktop.name, t.entry(0)))
            << lacking.call;
        for (const std::string& call : t.fake.desktop.log)
            EXPECT_TRUE(call.rfind("post", 0) != 0 && call.rfind("move", 0) != 0) << lacking.call << ": " << call;
    }
}

// Without posted input, input to the desktop (window 0) goes where the focus is.
TEST(DesktopLacks, InputToTheDesktopStillWorksWithoutPostedInput) {
    LackingRun t(DesktopAbility::PostedInput);
    t.run("~Desk.Click(0, \"left\", 5, 5, 1)\n~Desk.Press(0, \"ctrl+s\")\n");
    EXPECT_FALSE(t.ended) << t.out();
    EXPECT_FALSE(t.fake.desktop.log.empty());
}

// The desktop as a whole has a place even where single windows have none.
TEST(DesktopLacks, TheDesktopsOwnRectangleNeedsNoWindowGeometry) {
    LackingRun t(DesktopAbility::WindowGeometry);
    t.run("~Dos.Print(~Desk.Width(0) \" \" ~Desk.InsideX(0))\n");
    EXPECT_FALSE(t.ended) << t.out();
}

}  // namespace ml
