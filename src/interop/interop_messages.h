// Message pairs of native library and automation object calls. The continuation
// lines are indented to stand under the first line's text in the error report.
#pragma once

#include "core/language.h"

namespace ml {

inline constexpr MsgPair kMsgDllLoad{
    "1.Unable to load\n"
    "         2.Incompatible system\n"
    "         3.Check whether the correct DLL module: ",
    "1.無法加載\n"
    "      2.不相容的系統\n"
    "      3.檢查是否正確的DLL模塊: "};
// The system's own reason follows the library's name on a line of its own.
inline constexpr MsgPair kMsgDllLoadReason{"\n         System: ", "\n      系統: "};
inline constexpr MsgPair kMsgComLoad{
    "1.Unable to load\n"
    "         2.Incompatible system\n"
    "         3.Not joined Registration\n"
    "         4.Check whether the correct COM component: ",
    "1.無法加載\n"
    "      2.不相容的系統\n"
    "      3.沒有加入註冊\n"
    "      4.檢查是否正確的COM組件: "};
inline constexpr MsgPair kMsgDllNoFunction{"Can not find the function name: ", "無法找到函式名: "};
// The English text has no "1." although a second point follows.
inline constexpr MsgPair kMsgComNoMethod{"Can not find the function name: ", "1.無法找到函式名: "};
inline constexpr MsgPair kMsgComNoMethodTail{"\n         2.Missing parameter is missing", "\n      2.缺少參數丟失"};
inline constexpr MsgPair kMsgDataType{"Data type error: ", "數據類型錯誤: "};

}  // namespace ml
