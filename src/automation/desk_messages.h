// Message pairs of the desk module.
#pragma once

#include "core/language.h"

namespace ml {

inline constexpr MsgPair kMsgUnknownKeyName{"~Desk.Key -> Unknown key name: ", "~Desk.Key -> 未知的按鍵名稱: "};
inline constexpr MsgPair kMsgClickButton{"~Desk.Click -> Section 2 parameter error: ",
                                         "~Desk.Click -> 第 2 節參數錯誤: "};
inline constexpr MsgPair kMsgButtonNames{" (left, middle, right)", " (left, middle, right)"};
inline constexpr MsgPair kMsgClickCount{"~Desk.Click -> Section 5 parameter error: ",
                                        "~Desk.Click -> 第 5 節參數錯誤: "};
inline constexpr MsgPair kMsgCountLimit{" (Numerical limit: 1 ~ 2)", " (數值限制: 1 ~ 2)"};

}  // namespace ml
