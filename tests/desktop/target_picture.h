// What the test target windows show, shared by the X11 and the Win32 target so
// that both platforms are held to the same pixels.
#pragma once

#include <cstdlib>
#include <string>

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

// The title the target takes: ML_TARGET_TITLE when set, in which \xHH stands for
// byte HH, so that a test writes control bytes and quotes as plain text.
inline std::string TargetTitle() {
    const char* given = std::getenv("ML_TARGET_TITLE");
    if (given == nullptr) return kTargetTitle;
    std::string title;
    for (const char* c = given; *c != '\0'; ++c) {
        if (c[0] == '\\' && c[1] == 'x' && c[2] != '\0' && c[3] != '\0') {
            title += static_cast<char>(std::strtol(std::string(c + 2, 2).c_str(), nullptr, 16));
            c += 3;
        } else {
            title += *c;
        }
    }
    return title;
}

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
