// Message pairs of the desk module.
#pragma once

#include "core/language.h"

namespace ml {

inline constexpr MsgPair kMsgUnknownKeyName{"~Desk.Key -> Unknown key name: ", "~Desk.Key -> 未知的按鍵名稱: "};
// Followed by the name, or by its whole chord when the name is empty.
inline constexpr MsgPair kMsgPressUnknownKey{"~Desk.Press -> Unknown key name: ", "~Desk.Press -> 未知的按鍵名稱: "};
// Followed by the character as the text holds it, or by the escape of a byte that is
// no character by itself.
inline constexpr MsgPair kMsgCannotType{"~Desk.Type -> Can not type the character: ", "~Desk.Type -> 無法輸入的字元: "};
// What ~Desk.Click takes as its button (argument 2) and its count (argument 5).
inline constexpr MsgPair kMsgButtonNames{" (left, middle, right)", " (left, middle, right)"};
inline constexpr MsgPair kMsgCountLimit{" (Numerical limit: 1 ~ 2)", " (數值限制: 1 ~ 2)"};
// After the function's name, followed by the command as the script gave it.
inline constexpr MsgPair kMsgCannotStart{" -> Can not start the program: ", " -> 無法啟動程式: "};
// Followed by the process id.
inline constexpr MsgPair kMsgCannotEnd{"~Desk.Kill -> Can not end the process: ", "~Desk.Kill -> 無法結束行程: "};

// Followed by the picture file's name: it is missing, or holds no picture read here.
inline constexpr MsgPair kMsgLookNoPictureFile{"~Desk.Look -> Can not find the picture file: ",
                                               "~Desk.Look -> 找不到圖片檔: "};

// After the function's name, followed by the handle as the script gave it.
inline constexpr MsgPair kMsgNotWindowOrControl{" -> Not a window or control: ", " -> 不是視窗或控制項: "};
// Told once a run, on standard error, when ~Desk.Control finds no accessibility bus.
inline constexpr MsgPair kMsgControlsUnreachable{
    "~Desk.Control -> No accessibility bus answers: controls can not be found by name",
    "~Desk.Control -> 無障礙匯流排沒有回應: 無法依名稱尋找控制項"};
// Another program holds the clipboard and does not let it go, or no clipboard can be made.
inline constexpr MsgPair kMsgClipboardRefused{"~Desk.SetClipboard -> Can not take the clipboard",
                                              "~Desk.SetClipboard -> 無法取得剪貼簿"};

}  // namespace ml
