// What the test target windows show, shared by the X11 and the Win32 target so
// that both platforms are held to the same pixels.
#pragma once

struct Rgb {
    int red;
    int green;
    int blue;
};

struct Area {
    int x;
    int y;
    int width;
    int height;
    Rgb colour;
};

constexpr const char* kTargetTitle = "Morrowlark Target";
constexpr const char* kTargetClass = "MorrowlarkTarget";
constexpr const char* kChildClass = "TargetChild";

// The window's client area, in screen coordinates.
constexpr int kTargetX = 100;
constexpr int kTargetY = 100;
constexpr int kTargetSide = 200;

// Four quadrants: red, green / blue, yellow.
constexpr Area kTargetAreas[] = {
    {0, 0, 100, 100, {255, 0, 0}},
    {100, 0, 100, 100, {0, 255, 0}},
    {0, 100, 100, 100, {0, 0, 255}},
    {100, 100, 100, 100, {255, 255, 0}},
};

// A 16 x 16 pattern inside the yellow quadrant, no two pixels alike.
constexpr int kPatternX = 150;
constexpr int kPatternY = 150;
constexpr int kPatternSide = 16;

constexpr Rgb PatternColour(int x, int y) { return {16 * x, 16 * y, 128}; }
