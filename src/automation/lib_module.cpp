// The lib module: windows, synthesised and posted mouse and key input, key state,
// the cursor, number and colour conversions, and the entries of the pixel, LibCapture
// and image-search functions. Every packed value is computed here, so the platform
// only delivers finished records and messages.
#include <array>
#include <cstdio>

#include "automation/argument_ranges.h"
#include "automation/capture.h"
#include "automation/desktop_access.h"
#include "automation/image_search.h"
#include "automation/input_codes.h"
#include "automation/pixels.h"
#include "automation/lib_module.h"
#include "automation/lib_state.h"
#include "core/strings.h"

namespace ml {

namespace {

constexpr int kKeyDown = 0;
constexpr int kKeyUp = 2;

// A mouse code is the button flag itself; posted to a window it becomes a message,
// and a move reports the left button as held.
struct MouseEvent {
    int code;
    std::uint32_t flags;
    std::uint32_t message;
    std::uint64_t wParam;
};
constexpr std::array<MouseEvent, 5> kMouseEvents = {{
    {0, kMoveAbsolute, 0x0200, 1},        // move
    {2, kMoveAbsolute | 2, 0x0201, 1},    // left down
    {4, kMoveAbsolute | 4, 0x0202, 0},    // left up
    {8, kMoveAbsolute | 8, 0x0204, 2},    // right down
    {16, kMoveAbsolute | 16, 0x0205, 0},  // right up
}};

int ArgInt(Interp& in, int i) { return TextToInt(Arg(in, i)); }

// Only the exact text 0 means the whole desktop; 00 is window 0.
bool ForegroundMode(Interp& in) { return Arg(in, 1) == "0"; }

std::string LibActive(Interp& in) {
    UsableDesktop(in).setForeground(ArgInt(in, 1));
    return {};
}

std::string LibFindWindow(Interp& in) { return IntText(UsableDesktop(in).findWindow(Arg(in, 1))); }

std::string LibFindWindowEx(Interp& in) {
    return IntText(UsableDesktop(in).findChildWindow(ArgInt(in, 1), Arg(in, 2)));
}

// A code that is no button flag sends nothing, in either mode.
std::string LibMouseMsg(Interp& in) {
    const int code = ArgInt(in, 2);
    const auto x = static_cast<int>(ArgInRange(in, "~Lib.MouseMsg", 3, kPointRange));
    const auto y = static_cast<int>(ArgInRange(in, "~Lib.MouseMsg", 4, kPointRange));
    Desktop& desktop = ForegroundMode(in) ? UsableDesktop(in)
                                          : DesktopThatCan(in, DesktopAbility::PostedInput, ArgInt(in, 1));
    for (const MouseEvent& event : kMouseEvents) {
        if (event.code != code) continue;
        if (ForegroundMode(in)) {
            const ScreenPoint screen = desktop.screenSize();
            desktop.sendMouse({ScaleAbsolute(x, screen.x), ScaleAbsolute(y, screen.y), event.flags});
        } else {
            // Client coordinates, unscaled.
            desktop.postMessage(ArgInt(in, 1), event.message, event.wParam, PackPoint(x, y));
        }
    }
    return {};
}

// Synthesised, the code goes through as the key flags; posted, only key down and key
// up select a message and any other code sends nothing.
std::string LibKeybdMsg(Interp& in) {
    const int code = ArgInt(in, 2);
    const int key = ArgInt(in, 3);
    Desktop& desktop = ForegroundMode(in) ? UsableDesktop(in)
                                          : DesktopThatCan(in, DesktopAbility::PostedInput, ArgInt(in, 1));
    const std::uint32_t scan = desktop.scanCode(static_cast<std::uint32_t>(key));
    if (ForegroundMode(in)) {
        desktop.sendKey({static_cast<std::uint16_t>(key), static_cast<std::uint16_t>(scan), static_cast<std::uint32_t>(code)});
    } else if (code == kKeyDown || code == kKeyUp) {
        const auto wParam = static_cast<std::uint64_t>(static_cast<std::int64_t>(key));
        desktop.postMessage(ArgInt(in, 1), code == kKeyDown ? kKeyDownMessage : kKeyUpMessage, wParam, (scan & 0xFF) << 16);
    }
    return {};
}

std::string LibGetKey(Interp& in) { return IntText(UsableDesktop(in).asyncKeyState(ArgInt(in, 1))); }

// The platform reads the duration as unsigned, so a negative one would never end; it
// waits no time instead.
std::string LibSleep(Interp& in) {
    const int milliseconds = ArgInt(in, 1);
    in.platform.desktop.sleep(milliseconds < 0 ? 0u : static_cast<std::uint32_t>(milliseconds));
    return {};
}

void ReadCursor(Interp& in) { LibStateOf(in).cursor = UsableDesktop(in).cursorPosition(); }
std::string LibCursorX(Interp& in) { return IntText(LibStateOf(in).cursor.x); }
std::string LibCursorY(Interp& in) { return IntText(LibStateOf(in).cursor.y); }

std::string LibDec(Interp& in) { return IntText(static_cast<std::int32_t>(HexValue(Arg(in, 1)))); }

std::string LibHex(Interp& in) {
    char text[9];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(ArgInt(in, 1)));
    return text;
}

std::string LibRgb(Interp& in) {
    return IntText((ArgInt(in, 1) & 255) + 256 * (ArgInt(in, 2) & 255) + 65536 * (ArgInt(in, 3) & 255));
}

// A coordinate of the screen image; one that lies beyond 16 bits is an error, never
// another pixel.
std::uint16_t ArgImageCoordinate(Interp& in, std::string_view function, int i) {
    return static_cast<std::uint16_t>(ArgInRange(in, function, i, kImageRange));
}

int ArgTolerance(Interp& in, std::string_view function, int i) {
    return static_cast<int>(ArgInRange(in, function, i, kToleranceRange));
}

std::string LibGetPixel(Interp& in) {
    constexpr std::string_view kName = "~Lib.GetPixel";
    const std::uint16_t x = ArgImageCoordinate(in, kName, 2), y = ArgImageCoordinate(in, kName, 3);
    return IntText(ReadPixel(in, ArgInt(in, 1), x, y));
}

std::string LibCmpPixel(Interp& in) {
    constexpr std::string_view kName = "~Lib.CmpPixel";
    const std::uint16_t x = ArgImageCoordinate(in, kName, 2), y = ArgImageCoordinate(in, kName, 3);
    const int tolerance = ArgTolerance(in, kName, 5);
    return CmpPixel(in, ArgInt(in, 1), x, y, ArgInt(in, 4), tolerance) ? "1" : "0";
}

std::string LibFindRGB(Interp& in) {
    constexpr std::string_view kName = "~Lib.FindRGB";
    SearchArea area;
    area.x1 = ArgImageCoordinate(in, kName, 2);
    area.y1 = ArgImageCoordinate(in, kName, 3);
    area.x2 = ArgImageCoordinate(in, kName, 4);
    area.y2 = ArgImageCoordinate(in, kName, 5);
    const int tolerance = ArgTolerance(in, kName, 7);
    return std::to_string(FindRGB(in, ArgInt(in, 1), area, Arg(in, 6), tolerance));
}

std::string LibCapture(Interp& in) {
    ScreenCapture(in, ArgInt(in, 1), Arg(in, 2));
    return {};
}

constexpr std::array<Builtin, 16> kLib = {{
    {"lib.active", 1, Use::Statement, LibActive},
    {"lib.findwindow", 1, Use::Value, LibFindWindow},
    {"lib.findwindowex", 2, Use::Value, LibFindWindowEx},
    {"lib.mousemsg", 4, Use::Statement, LibMouseMsg},
    {"lib.keybdmsg", 3, Use::Statement, LibKeybdMsg},
    {"lib.getkey", 1, Use::Value, LibGetKey},
    {"lib.sleep", 1, Use::Statement, LibSleep},
    {"lib.getx", 0, Use::Value, LibCursorX, ReadCursor},
    {"lib.gety", 0, Use::Value, LibCursorY, ReadCursor},
    {"lib.dec", 1, Use::Value, LibDec},
    {"lib.hex", 1, Use::Value, LibHex},
    {"lib.rgb", 3, Use::Value, LibRgb},
    {"lib.getpixel", 3, Use::Value, LibGetPixel},
    {"lib.cmppixel", 5, Use::Value, LibCmpPixel},
    {"lib.findrgb", 7, Use::Value, LibFindRGB},
    {"lib.capture", 2, Use::Statement, LibCapture},
}};

}  // namespace

const ModuleDef& LibModule() {
    static constexpr ModuleDef module{"lib.", Module::Lib, kLib, nullptr, MakeModuleState<LibState>};
    return module;
}

}  // namespace ml
