// The desk module: what automation scripts reach for beyond the classic lib module.
// Handles, coordinates and key numbers are the ones lib uses, and the exact text 0 as
// a handle means the whole desktop where input is concerned.
#include "automation/desk_module.h"

#include <algorithm>
#include <array>

#include "automation/argument_ranges.h"
#include "automation/capture.h"
#include "automation/desk_controls.h"
#include "automation/desk_input.h"
#include "automation/desk_look.h"
#include "automation/desk_messages.h"
#include "automation/desk_monitors.h"
#include "automation/desk_processes.h"
#include "automation/desk_state.h"
#include "automation/desktop_access.h"
#include "automation/desk_windows.h"
#include "automation/key_chords.h"
#include "automation/key_names.h"
#include "core/errors.h"
#include "core/strings.h"

namespace ml {

namespace {

int ArgInt(Interp& in, int i) { return TextToInt(Arg(in, i)); }

WindowHandle ArgWindow(Interp& in) { return ArgInt(in, 1); }

// A point, or a window's corner, of the arguments from first on.
ScreenPoint ArgPoint(Interp& in, std::string_view function, int first) {
    const auto x = static_cast<int>(ArgInRange(in, function, first, kPointRange));
    return {x, static_cast<int>(ArgInRange(in, function, first + 1, kPointRange))};
}

// Only the exact text 0 means the whole desktop; 00 is window 0, which no posted
// input reaches.
InputTarget ArgTarget(Interp& in) { return {Arg(in, 1) == "0", ArgWindow(in)}; }

std::string DeskType(Interp& in) {
    TypeInto(in, ArgTarget(in), Arg(in, 2));
    return {};
}

std::string DeskKey(Interp& in) {
    const std::optional<int> key = VirtualKeyOfName(AsciiLower(Arg(in, 1)));
    if (!key) Fail(in, Say(in, kMsgUnknownKeyName) + Arg(in, 1));
    return IntText(*key);
}

std::string DeskPress(Interp& in) {
    PressChords(in, ArgTarget(in), Arg(in, 2));
    return {};
}

std::string DeskWait(Interp& in) { return IntText(WaitForWindow(in, Arg(in, 1), ArgInt(in, 2))); }

// One argument looks once, as scripts have always seen; a second is a time to wait.
std::string DeskFind(Interp& in) {
    if (in.args.count == 1) return IntText(FindWindowContaining(in, Arg(in, 1)));
    return IntText(WaitForWindowContaining(in, Arg(in, 1), ArgInt(in, 2)));
}

std::string DeskNext(Interp& in) { return IntText(NextWindow(in, ArgWindow(in))); }

std::string DeskTitle(Interp& in) { return WindowTitle(in, ArgWindow(in)); }

std::string DeskX(Interp& in) { return IntText(WindowRectangle(in, ArgWindow(in)).x); }
std::string DeskY(Interp& in) { return IntText(WindowRectangle(in, ArgWindow(in)).y); }
std::string DeskWidth(Interp& in) { return IntText(WindowRectangle(in, ArgWindow(in)).width); }
std::string DeskHeight(Interp& in) { return IntText(WindowRectangle(in, ArgWindow(in)).height); }
std::string DeskInsideX(Interp& in) { return IntText(InsideCorner(in, ArgWindow(in)).x); }
std::string DeskInsideY(Interp& in) { return IntText(InsideCorner(in, ArgWindow(in)).y); }

// A width or height; every negative one keeps the window's own, however far below 0.
int ArgSize(Interp& in, int i) {
    return static_cast<int>(std::max<std::int64_t>(ArgInRange(in, "~Desk.Move", i, kSizeRange), -1));
}

std::string DeskMove(Interp& in) {
    const ScreenPoint corner = ArgPoint(in, "~Desk.Move", 2);
    const int width = ArgSize(in, 4);
    MoveWindow(in, ArgWindow(in), {corner.x, corner.y, width, ArgSize(in, 5)});
    return {};
}

std::string DeskClose(Interp& in) {
    if (const WindowHandle window = ArgWindow(in)) UsableDesktop(in).closeWindow(window);
    return {};
}

MouseButton ArgButton(Interp& in) {
    const std::string name = AsciiLower(Arg(in, 2));
    if (name == "left") return MouseButton::Left;
    if (name == "middle") return MouseButton::Middle;
    if (name == "right") return MouseButton::Right;
    FailParameter(in, "~Desk.Click", 2, Arg(in, 2), kMsgButtonNames);
}

std::string DeskClick(Interp& in) {
    const MouseButton button = ArgButton(in);
    const ScreenPoint at = ArgPoint(in, "~Desk.Click", 3);
    const int count = ArgInt(in, 5);
    if (count != 1 && count != 2) FailParameter(in, "~Desk.Click", 5, Arg(in, 5), kMsgCountLimit);
    Click(in, ArgTarget(in), button, at, count);
    return {};
}

std::string DeskWheel(Interp& in) {
    const ScreenPoint at = ArgPoint(in, "~Desk.Wheel", 3);
    TurnWheel(in, ArgTarget(in), ArgInt(in, 2), at);
    return {};
}

std::string DeskCapture(Interp& in) {
    InsideCaptureByName(in, ArgWindow(in), Arg(in, 2));
    return {};
}

std::string DeskLook(Interp& in) {
    const auto tolerance = static_cast<int>(ArgInRange(in, "~Desk.Look", 3, kToleranceRange));
    return LookForPicture(in, ArgWindow(in), Arg(in, 2), tolerance, ArgInt(in, 4)) ? "1" : "0";
}

std::string DeskFoundX(Interp& in) { return IntText(DeskStateOf(in).found.x); }
std::string DeskFoundY(Interp& in) { return IntText(DeskStateOf(in).found.y); }

// Argument 0 is the script's name; past the last one there is only the empty text.
std::string DeskArg(Interp& in) {
    const auto n = static_cast<std::uint64_t>(ArgInRange(in, "~Desk.Arg", 1, kArgumentRange));
    return n < in.scriptArguments.size() ? in.scriptArguments[n] : std::string();
}

// The words after the script's name, so that ~Desk.Arg(~Desk.ArgCount()) is the last.
std::string DeskArgCount(Interp& in) {
    return IntText(static_cast<std::int32_t>(std::max<std::size_t>(in.scriptArguments.size(), 1) - 1));
}
std::string DeskWaitClose(Interp& in) { return WaitForWindowToGo(in, ArgWindow(in), ArgInt(in, 2)) ? "1" : "0"; }

std::string DeskFocused(Interp& in) { return IntText(FocusedWindow(in)); }

std::string DeskAt(Interp& in) { return IntText(WindowAt(in, ArgPoint(in, "~Desk.At", 1))); }

std::string DeskMouseX(Interp& in) { return IntText(UsableDesktop(in).cursorPosition().x); }
std::string DeskMouseY(Interp& in) { return IntText(UsableDesktop(in).cursorPosition().y); }

std::string DeskMonitors(Interp& in) { return IntText(MonitorCount(in)); }
std::string DeskMonitorX(Interp& in) { return IntText(NumberedMonitor(in, "~Desk.MonitorX").x); }
std::string DeskMonitorY(Interp& in) { return IntText(NumberedMonitor(in, "~Desk.MonitorY").y); }
std::string DeskMonitorWidth(Interp& in) { return IntText(NumberedMonitor(in, "~Desk.MonitorWidth").width); }
std::string DeskMonitorHeight(Interp& in) { return IntText(NumberedMonitor(in, "~Desk.MonitorHeight").height); }

std::string DeskRun(Interp& in) { return std::to_string(StartProgram(in, "~Desk.Run", Arg(in, 1))); }

std::string DeskRunWait(Interp& in) { return std::to_string(RunAndWait(in, Arg(in, 1), ArgInt(in, 2))); }

std::string DeskKill(Interp& in) { return IntText(EndProcess(in, TextToInt64(Arg(in, 1)))); }

// Text from outside is never computed: a clipboard holding 2024/01/02 gives that date.
std::string DeskClipboard(Interp& in) { return UsableDesktop(in).clipboardText(); }

std::string DeskSetClipboard(Interp& in) {
    if (!UsableDesktop(in).setClipboardText(Arg(in, 1))) Fail(in, Say(in, kMsgClipboardRefused));
    return {};
}

// The handle of argument 1, once it is known to name a window or control.
WindowHandle ArgControl(Interp& in, std::string_view function) {
    RequireWindowOrControl(in, function, ArgWindow(in), Arg(in, 1));
    return ArgWindow(in);
}

std::string DeskControl(Interp& in) { return IntText(FindControl(in, ArgControl(in, "~Desk.Control"), Arg(in, 2))); }

std::string DeskText(Interp& in) { return UsableDesktop(in).controlText(ArgControl(in, "~Desk.Text")); }

std::string DeskSetText(Interp& in) {
    UsableDesktop(in).setControlText(ArgControl(in, "~Desk.SetText"), Arg(in, 2));
    return {};
}

std::string DeskPush(Interp& in) {
    UsableDesktop(in).pushControl(ArgControl(in, "~Desk.Push"));
    return {};
}

// A time to wait was added to ~Desk.Find after scripts had learnt its count.
constexpr ArgCount kFindArgs = ArgCount::OptionalLast(1);

// Every desk function with its argument count and where it may stand.
constexpr std::array<Builtin, 42> kDesk = {{
    {"desk.type", 2, Use::Statement, DeskType},
    {"desk.key", 1, Use::Value, DeskKey},
    {"desk.wait", 2, Use::Value, DeskWait},
    {"desk.find", kFindArgs, Use::Value, DeskFind},
    {"desk.next", 1, Use::Value, DeskNext},
    {"desk.title", 1, Use::Value, DeskTitle},
    {"desk.x", 1, Use::Value, DeskX},
    {"desk.y", 1, Use::Value, DeskY},
    {"desk.width", 1, Use::Value, DeskWidth},
    {"desk.height", 1, Use::Value, DeskHeight},
    {"desk.move", 5, Use::Statement, DeskMove},
    {"desk.close", 1, Use::Statement, DeskClose},
    {"desk.click", 5, Use::Statement, DeskClick},
    {"desk.wheel", 4, Use::Statement, DeskWheel},
    {"desk.capture", 2, Use::Statement, DeskCapture},
    {.name = "desk.look", .args = 4, .use = Use::Value, .run = DeskLook, .givesWay = true},
    {.name = "desk.foundx", .args = 0, .use = Use::Value, .run = DeskFoundX, .givesWay = true},
    {.name = "desk.foundy", .args = 0, .use = Use::Value, .run = DeskFoundY, .givesWay = true},
    {.name = "desk.press", .args = 2, .use = Use::Statement, .run = DeskPress, .givesWay = true},
    {.name = "desk.insidex", .args = 1, .use = Use::Value, .run = DeskInsideX, .givesWay = true},
    {.name = "desk.insidey", .args = 1, .use = Use::Value, .run = DeskInsideY, .givesWay = true},
    {.name = "desk.arg", .args = 1, .use = Use::Value, .run = DeskArg, .givesWay = true},
    {.name = "desk.argcount", .args = 0, .use = Use::Value, .run = DeskArgCount, .givesWay = true},
    {.name = "desk.run", .args = 1, .use = Use::Either, .run = DeskRun, .givesWay = true},
    {.name = "desk.runwait", .args = 2, .use = Use::Either, .run = DeskRunWait, .givesWay = true},
    {.name = "desk.kill", .args = 1, .use = Use::Either, .run = DeskKill, .givesWay = true},
    {.name = "desk.waitclose", .args = 2, .use = Use::Value, .run = DeskWaitClose, .givesWay = true},
    {.name = "desk.focused", .args = 0, .use = Use::Value, .run = DeskFocused, .givesWay = true},
    {.name = "desk.at", .args = 2, .use = Use::Value, .run = DeskAt, .givesWay = true},
    {.name = "desk.mousex", .args = 0, .use = Use::Value, .run = DeskMouseX, .givesWay = true},
    {.name = "desk.mousey", .args = 0, .use = Use::Value, .run = DeskMouseY, .givesWay = true},
    {.name = "desk.monitors", .args = 0, .use = Use::Value, .run = DeskMonitors, .givesWay = true},
    {.name = "desk.monitorx", .args = 1, .use = Use::Value, .run = DeskMonitorX, .givesWay = true},
    {.name = "desk.monitory", .args = 1, .use = Use::Value, .run = DeskMonitorY, .givesWay = true},
    {.name = "desk.monitorwidth", .args = 1, .use = Use::Value, .run = DeskMonitorWidth, .givesWay = true},
    {.name = "desk.monitorheight", .args = 1, .use = Use::Value, .run = DeskMonitorHeight, .givesWay = true},
    {.name = "desk.clipboard", .args = 0, .use = Use::Value, .run = DeskClipboard, .reading = ResultReading::AsText, .givesWay = true},
    {.name = "desk.setclipboard", .args = 1, .use = Use::Statement, .run = DeskSetClipboard, .givesWay = true},
    {.name = "desk.control", .args = 2, .use = Use::Value, .run = DeskControl, .givesWay = true},
    {.name = "desk.text", .args = 1, .use = Use::Value, .run = DeskText, .reading = ResultReading::AsText, .givesWay = true},
    {.name = "desk.settext", .args = 2, .use = Use::Statement, .run = DeskSetText, .givesWay = true},
    {.name = "desk.push", .args = 1, .use = Use::Statement, .run = DeskPush, .givesWay = true},
}};

}  // namespace

const ModuleDef& DeskModule() {
    static constexpr ModuleDef module{"desk.", Module::Desk, kDesk, nullptr, MakeModuleState<DeskState>};
    return module;
}

}  // namespace ml
