// Message pairs of the loader: every error a script can meet while it is loaded.
// Texts are exact: users see them byte for byte.
#pragma once

#include "core/language.h"
#include "core/messages.h"

namespace ml {

inline constexpr MsgPair kMsgSymbolMissing{"The symbol deletion and unusual", "符號缺失和不尋常"};
inline constexpr MsgPair kMsgSameName{"Have the same name", "具有相同的名稱"};
inline constexpr MsgPair kMsgClassOpen{"Class: -> End Class", ""};
inline constexpr MsgPair kErrNoEndClass{"Can not find: End Class", "找不到: End Class"};
inline constexpr MsgPair kMsgCmpOpen{"Cmp -> End & Loop", ""};
inline constexpr MsgPair kErrNoEndLoop{"Can not find: End & Loop", "找不到: End & Loop"};
inline constexpr MsgPair kMsgDefOpen{"Def: -> End Def", ""};
inline constexpr MsgPair kErrNoEndDef{"Can not find: End Def", "找不到: End Def"};
inline constexpr MsgPair kMsgTooManyEntries{"Ranks of memory, has exceeded the maximum value.",
                                            "內存行列，已經超過了最大值。"};
inline constexpr MsgPair kMsgNoImportFile{"Can not find file path", "無法找到文件的路徑"};
inline constexpr MsgPair kMsgImportTooDeep{"Imports nested more than 32 deep", "匯入的檔案超過 32 層"};
inline constexpr MsgPair kMsgLoneColon{"Deletions and unusual", "缺失和不尋常"};
inline constexpr MsgPair kMsgClass{"Class:", ""};
inline constexpr MsgPair kErrClassInCmp{"Structure error: Cmp ... (Class:) ... End & Loop",
                                        "結構錯誤: Cmp ... (Class:) ... End & Loop"};
inline constexpr MsgPair kErrClassInDef{"Structure error: Def: ... (Class:) ... End Def",
                                        "結構錯誤: Def: ... (Class:) ... End Def"};
inline constexpr MsgPair kMsgClassName{"Class exception error", "類別異常錯誤"};
inline constexpr MsgPair kMsgEndClassAlone{"End Class -> Class:", ""};
inline constexpr MsgPair kErrNoClass{"Can not find: Class:", "找不到: Class:"};
inline constexpr MsgPair kMsgEndClass{"End Class", ""};
inline constexpr MsgPair kErrEndClassInCmp{"Structure error: Cmp ... (End Class) ... End & Loop",
                                           "結構錯誤: Cmp ... (End Class) ... End & Loop"};
inline constexpr MsgPair kErrEndClassInDef{"Structure error: Def: ... (End Class) ... End Def",
                                           "結構錯誤: Def: ... (End Class) ... End Def"};
inline constexpr MsgPair kMsgArray{"Array exception error", "陣列異常錯誤"};
inline constexpr MsgPair kMsgNoEqual{"No equal sign: =", "沒有等號: ="};
inline constexpr MsgPair kMsgCmpTooDeep{"Cmp 16 count memory, has exceeded the maximum value.",
                                        "Cmp 計數 16 次存儲，已經超過了最大值。"};
inline constexpr MsgPair kErrNoCmp{"Can not find: Cmp", "找不到: Cmp"};
inline constexpr MsgPair kMsgElCmpAlone{"ElCmp -> Cmp", ""};
inline constexpr MsgPair kMsgEndAlone{"End -> Cmp", ""};
inline constexpr MsgPair kMsgLoopAlone{"Loop -> Cmp", ""};
inline constexpr MsgPair kMsgBreakAlone{"Break -> Please change the correct: Cmp ... (Break) ... Loop",
                                        "Break -> 請更改正確的: Cmp ... (Break) ... Loop"};
inline constexpr MsgPair kMsgContinueAlone{
    "Continue -> Please change the correct: Cmp ... (Continue) ... Loop",
    "Continue -> 請更改正確的: Cmp ... (Continue) ... Loop"};
inline constexpr MsgPair kMsgDef{"Def:", ""};
inline constexpr MsgPair kErrDefInCmp{"Structure error: Cmp ... (Def:) ... End & Loop",
                                      "結構錯誤: Cmp ... (Def:) ... End & Loop"};
inline constexpr MsgPair kMsgFunctionName{"Function exception error", "函式異常錯誤"};
inline constexpr MsgPair kMsgEndDef{"End Def", ""};
inline constexpr MsgPair kErrEndDefInCmp{"Structure error: Cmp ... (End Def) ... End & Loop",
                                         "結構錯誤: Cmp ... (End Def) ... End & Loop"};
inline constexpr MsgPair kMsgEndDefAlone{"End Def -> Def:", ""};
inline constexpr MsgPair kErrNoDef{"Can not find: Def:", "找不到: Def:"};
inline constexpr MsgPair kMsgReturnAlone{
    "Return -> Need to insert within the return value: Def: ... (Return) ... End Def",
    "Return -> 需要插入的返回值內: Def: ... (Return) ... End Def"};
inline constexpr MsgPair kMsgNoLabel{"There is not label", "沒有標籤"};
inline constexpr MsgPair kMsgLabelName{"Label exception error", "標籤異常錯誤"};
inline constexpr MsgPair kMsgClassLevel{"Class prohibit instruction", "Class 禁止指令"};
inline constexpr MsgPair kMsgExitStatus{"Exit status must be a whole number from 0 to 255",
                                        "Exit 的結束狀態必須是 0 到 255 的整數"};

}  // namespace ml
