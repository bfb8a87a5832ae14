// Message pairs of run-time errors that several folders raise.
#pragma once

#include "core/language.h"

namespace ml {

inline constexpr MsgPair kMsgVariableError{"Variable exception error: ", "變量異常錯誤: "};
inline constexpr MsgPair kMsgVariablesFull{"Variable of memory, has exceeded the maximum value.",
                                           "內存變量，已經超過了最大值。"};
inline constexpr MsgPair kMsgVariableNotSet{"Variable is not set: ", "變量未設置: "};
inline constexpr MsgPair kMsgCommand{"Command error", "命令錯誤"};
inline constexpr MsgPair kMsgNoJumpLabel{"Jump label not found", "跳轉標籤未找到"};
inline constexpr MsgPair kMsgBreakNoLoop{"Break -> Loop", ""};
inline constexpr MsgPair kMsgContinueNoLoop{"Continue -> Loop", ""};
inline constexpr MsgPair kErrNoLoop{"Can not find: Loop", "找不到: Loop"};
inline constexpr MsgPair kMsgCallsTooDeep{"Def: 16 count memory, has exceeded the maximum value.",
                                          "Def: 計數 16 次存儲，已經超過了最大值。"};
inline constexpr MsgPair kMsgCanNotFind{"Can not find: ", "找不到: "};
inline constexpr MsgPair kMsgEmptyParameter{"Not joined parameter definition", "沒有加入參數的定義"};
inline constexpr MsgPair kMsgParameter{"Parameter exception error: ", "參數異常錯誤: "};
inline constexpr MsgPair kMsgSeveralParameters{" -> Several parameters: ", " -> 有幾個參數: "};
inline constexpr MsgPair kMsgProhibitReturn{"Prohibit the return value of the data: ", "禁止返回值的數據: "};
inline constexpr MsgPair kMsgNeedReturn{"Need to return value to the data: ", "需要返回值的數據: "};
inline constexpr MsgPair kMsgNotJoinedClass{"Not joined class: ", "沒有加入類別: "};

}  // namespace ml
