// Message pairs of the start-up and the error report. Texts are exact:
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

// What `--help` prints, and standard error after an unknown option; both %s are the
// program's name.
inline constexpr MsgPair kUsage{
    "Usage: %s [-q|--quiet] SCRIPT [ARG...]\n"
    "       %s --check SCRIPT\n"
    "       %s --version | --help\n"
    "Runs the script SCRIPT; in it ~Desk.Arg(n) gives ARG n and ~Desk.ArgCount() how many.\n"
    "  -q, --quiet  print only what the script prints: no banner, no load summary, no\n"
    "               colours; an error report goes to standard error, with no pause\n"
    "  --check      run nothing: report every load error of SCRIPT and its imports, and\n"
    "               each trap its lines hold, as FILE:LINE:COLUMN: error|warning: TEXT [MLnnn];\n"
    "               the status is 0 when there is none, 1 otherwise\n"
    "  --version    print the version and end\n"
    "  --help       print this text and end\n"
    "Without SCRIPT, AUTO.TXT runs if the current folder has one; else a name is asked for.\n",
    "用法: %s [-q|--quiet] 腳本 [參數...]\n"
    "      %s --check 腳本\n"
    "      %s --version | --help\n"
    "執行腳本檔案；腳本裡 ~Desk.Arg(n) 取得第 n 個參數，~Desk.ArgCount() 取得參數的個數。\n"
    "  -q, --quiet  只輸出腳本印出的內容：不顯示標題、載入摘要和顏色；\n"
    "               錯誤報告寫到標準錯誤，不等待按鍵\n"
    "  --check      不執行：列出腳本及其匯入檔的每個載入錯誤和每個陷阱，\n"
    "               格式為 FILE:LINE:COLUMN: error|warning: TEXT [MLnnn]；\n"
    "               沒有任何發現時結束狀態為 0，否則為 1\n"
    "  --version    顯示版本後結束\n"
    "  --help       顯示這段說明後結束\n"
    "沒有指定腳本時，目前資料夾有 AUTO.TXT 就執行它，否則詢問檔名。\n"};
// A word before the script that is no option; the word and the usage follow.
inline constexpr MsgPair kMsgUnknownOption{"Unknown option: ", "未知的選項: "};

// The script named cannot be read.
inline constexpr MsgPair kMsgNoFile{"There is no file information", "檔案內沒有資料"};

}  // namespace ml
