// Message pairs of the start-up, the error report and the loader. Texts are exact:
// scripts and users see them byte for byte.
#pragma once

#include "core/language.h"

namespace ml {

// Labels of the fatal error report.
inline constexpr MsgPair kLabelRanks{"\nRanks  : ", "\n行列："};
inline constexpr MsgPair kLabelMessage{"Message: ", "訊息："};
inline constexpr MsgPair kLabelError{"Error  : ", "錯誤："};

// Start-up.
inline constexpr MsgPair kLimitsText{
    "Character Byte: %d\nVariable  Byte: %d\nRanks     Byte: %d\n\n"
    "Changing the display language, Please enter the LANGUAGE command.\n\n"
    "Please enter the HELP command reference guide, Automatically generate a HELP.TXT document files.\n\n"
    "Program starts detecting the presence AUTO.TXT file, Automatically reads the script commands "
    "exist to change, There is no user input script file name change.\n",
    "字符 Byte: %d\n變量 Byte: %d\n行列 Byte: %d\n\n"
    "更改顯示語言，請輸入 LANGUAGE 指令。\n\n"
    "參考說明請輸入 HELP 指令，自動產生一個 HELP.TXT 文件檔案。\n\n"
    "程式啟動檢測是否存在 AUTO.TXT 檔案，存在改自動讀取腳本指令，不存在改使用者輸入腳本檔名。\n"};
inline constexpr MsgPair kPromptScriptName{"\nPlease enter a script file name(Do not enter .txt):",
                                           "\n請輸入腳本檔名(不用輸入.txt):"};
inline constexpr MsgPair kLoadSummary{"\nRanks: %d -> %d = %d\nRun  : %s\n\n",
                                      "\n行列：%d -> %d = %d\n執行：%s\n\n"};
inline constexpr MsgPair kLanguageMenu{
    "\n1 -> Auto\n2 -> English\n3 -> Chinese\n\nPlease enter the select language(1~3):", ""};

// Written to standard error when standard output could not take the program's output.
inline constexpr MsgPair kMsgOutputLost{"Standard output could not be written: the output is incomplete.\n",
                                        "無法寫入標準輸出：輸出不完整。\n"};
// Written when the HELP command cannot write its document; the file name follows.
inline constexpr MsgPair kMsgHelpNotWritten{"Can not write the help document: ", "無法寫入說明文件: "};

// Errors of the start-up and of the loader.
inline constexpr MsgPair kMsgSymbolMissing{"The symbol deletion and unusual", "符號缺失和不尋常"};
inline constexpr MsgPair kMsgSameName{"Have the same name", "具有相同的名稱"};
inline constexpr MsgPair kMsgNoFile{"There is no file information", "檔案內沒有資料"};
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
inline constexpr MsgPair kMsgVariable{"Variable exception error: ", "變量異常錯誤: "};
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
inline constexpr MsgPair kMsgEmptyParameter{"Not joined parameter definition", "沒有加入參數的定義"};
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

}  // namespace ml
