#include "automation/desktop_access.h"

#include "core/errors.h"
#include "core/language.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgNoDisplay{"No display to work on: ", "沒有可用的顯示器: "};
inline constexpr MsgPair kMsgDisplayNotSet{"DISPLAY is not set", "未設定 DISPLAY"};
inline constexpr MsgPair kMsgDisplaySilent{"The display does not answer: ", "顯示器沒有回應: "};
inline constexpr MsgPair kMsgDisplayLost{"The display was lost: ", "與顯示器的連線中斷: "};

// After the function's name, followed by the desktop's; in the order of DesktopAbility.
inline constexpr MsgPair kMsgDesktopLacks[] = {
    {" -> Input to one window is not possible on this desktop: ", " -> 此桌面無法向單一視窗送出輸入: "},
    {" -> Where windows lie is not known on this desktop: ", " -> 此桌面無法得知視窗的位置: "},
    {" -> Windows can not be moved on this desktop: ", " -> 此桌面無法移動視窗: "},
    {" -> The pixels of one window can not be read on this desktop: ", " -> 此桌面無法讀取單一視窗的像素: "},
};

}  // namespace

std::string DisplayProblem(Interp& in) {
    const DisplayState display = in.platform.desktop.displayState();
    if (display.usable) return {};
    if (!display.answered) return Say(in, kMsgDisplaySilent) + display.name;
    return Say(in, kMsgNoDisplay) + (display.name.empty() ? Say(in, kMsgDisplayNotSet) : display.name);
}

std::string DisplayLostMessage(Interp& in, const std::string& display) { return Say(in, kMsgDisplayLost) + display; }

Desktop& DesktopThatCan(Interp& in, DesktopAbility ability, WindowHandle window) {
    Desktop& desktop = UsableDesktop(in);
    if (!desktop.can(ability, window))
        Fail(in, "~" + std::string(in.calls.runningBuiltin) + Say(in, kMsgDesktopLacks[static_cast<int>(ability)]) +
                     desktop.desktopName());
    return desktop;
}

Desktop& UsableDesktop(Interp& in) {
    const std::string problem = DisplayProblem(in);
    if (!problem.empty()) Fail(in, problem);
    return in.platform.desktop;
}

}  // namespace ml
