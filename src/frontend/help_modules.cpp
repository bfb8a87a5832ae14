// Entries of the built-in reference: the string, time, math and file modules, in the
// same form as the lib and dos entries.
#include <array>

#include "frontend/help_parts.h"

namespace ml {

namespace {

constexpr std::array<std::string_view, 16> kString = {
    R"doc(從文字的開始位置取出指定長度的文字，位置從 1 開始。
位置和長度都以 Byte 計算，一個中文字是 2 個 Byte (UTF-8 文字中是 3 個)，以下各函式相同。
~String.Mid(文字, 開始位置, 長度)
返回值:有
)doc",

    R"doc(取得文字的長度 (Byte 數)。
~String.Len(文字)
返回值:有
)doc",

    R"doc(尋找搜尋文字第一次出現的位置，位置從 1 開始。
~String.Instr(文字, 搜尋文字)
返回值:有
(0 表示找不到)
)doc",

    R"doc(尋找搜尋文字最後一次出現的位置，位置從 1 開始。
~String.InstrRev(文字, 搜尋文字)
返回值:有
(0 表示找不到)
)doc",

    R"doc(在前面幾個字之後插入文字，位置 0 插入在最前面，例如 ~String.Insert("abc", 1, "X") 返回 aXbc。
~String.Insert(文字, 位置, 插入文字)
返回值:有
)doc",

    R"doc(從前面幾個字之後刪除指定長度的文字，例如 ~String.Remove("abcdef", 1, 2) 返回 adef。
~String.Remove(文字, 位置, 長度)
返回值:有
)doc",

    R"doc(把文字中所有的搜尋文字換成新文字。
~String.Replace(文字, 搜尋文字, 新文字)
返回值:有
)doc",

    R"doc(刪除文字前後的空白和 Tab，中間的空白保留。
~String.Trim(文字)
返回值:有
)doc",

    R"doc(把文字前後反轉，以 Byte 為單位，所以中文字會被拆開。
~String.Reverse(文字)
返回值:有
)doc",

    R"doc(把英文字母轉成小寫。
~String.Lower(文字)
返回值:有
)doc",

    R"doc(把英文字母轉成大寫。
~String.Upper(文字)
返回值:有
)doc",

    R"doc(計算搜尋文字在文字中出現的次數，重疊的也算，例如 "aaaa" 中的 "aa" 算 3 次。
~String.InCount(文字, 搜尋文字)
返回值:有
)doc",

    R"doc(判斷文字是不是數字，例如 -1.5 是數字，1.2.3 不是。
~String.IsNumber(文字)
返回值:有
(0 不是數字，1 是數字)
)doc",

    R"doc(在文字後面補空白到指定的寬度 (文字靠左)，文字比寬度長時不變。
~String.Lmend(文字, 寬度)
返回值:有
)doc",

    R"doc(在文字前面補空白到指定的寬度 (文字靠右)，文字比寬度長時不變。
~String.Rmend(文字, 寬度)
返回值:有
)doc",

    R"doc(用分隔字符把文字切開，依序存入陣列元素 [0]、[1]、[2] ...。
要寫成 $變量 = ~String.Split(...)，陣列就是等號左邊的變量，變量本身得到原來的文字。
分隔字符可以有好幾個，每一個都是分隔字符；連續的分隔字符不會產生空的元素。
~String.Split(文字, 分隔字符)
返回值:有
' 範例: $str[0] 是 123，$str[1] 是 456，$str[2] 是 789。
$str = ~String.Split("123|456|789", "|")
)doc",
};

constexpr std::array<std::string_view, 9> kTime = {
    R"doc(取得現在的年份，例如 2014。
~Time.Year()
返回值:有
)doc",

    R"doc(取得現在的月份。
~Time.Month()
返回值:有
(1 到 12)
)doc",

    R"doc(取得今天是幾號。
~Time.Day()
返回值:有
(1 到 31)
)doc",

    R"doc(取得今天是星期幾。
~Time.Week()
返回值:有
(0 星期日，1 星期一 ... 6 星期六)
)doc",

    R"doc(取得現在的小時。
~Time.Hour()
返回值:有
(0 到 23)
)doc",

    R"doc(取得現在的分鐘。
~Time.Minute()
返回值:有
(0 到 59)
)doc",

    R"doc(取得現在的秒數。
~Time.Second()
返回值:有
(0 到 59)
)doc",

    R"doc(取得程式啟動後經過的時間，1000 是 1 秒，可以用來計算執行時間。
~Time.Clock()
返回值:有
)doc",

    R"doc(取得一個 0 到 範圍 - 1 的亂數；同一秒內以相同的範圍呼叫會得到相同的數值。
~Time.Rand(範圍)
返回值:有
)doc",
};

constexpr std::array<std::string_view, 9> kMath = {
    R"doc(取得絕對值。
~Math.Abs(數值)
返回值:有
)doc",

    R"doc(取得 e 的數值次方。
~Math.Exp(數值)
返回值:有
)doc",

    R"doc(取得小於或等於數值的最大整數，例如 ~Math.Floor(3.7) 返回 3。
~Math.Floor(數值)
返回值:有
)doc",

    R"doc(取得大於或等於數值的最小整數，例如 ~Math.Ceil(1.2) 返回 2。
~Math.Ceil(數值)
返回值:有
)doc",

    R"doc(取得平方根。
~Math.Sqrt(數值)
返回值:有
)doc",

    R"doc(取得自然對數。
~Math.Log(數值)
返回值:有
)doc",

    R"doc(取得正弦值，角度以弧度表示。
~Math.Sin(弧度)
返回值:有
)doc",

    R"doc(取得餘弦值，角度以弧度表示。
~Math.Cos(弧度)
返回值:有
)doc",

    R"doc(取得正切值，角度以弧度表示。
~Math.Tan(弧度)
返回值:有
)doc",
};

constexpr std::array<std::string_view, 8> kFile = {
    R"doc(判斷檔案是否存在。
~File.Exists(檔名)
返回值:有
(0 不存在或不是一般的檔案，1 存在)
)doc",

    R"doc(以指定的模式開啟檔案；三種模式各可以同時開啟一個檔案，關閉時也要寫模式。
~File.Open(檔名, 模式)
返回值:無
(模式: "r" 讀取，"w" 寫入並清空原來的內容，"a" 附加在檔案的最後面)
)doc",

    R"doc(從以 "r" 開啟的檔案讀取一行文字 (不含換行)。
~File.Read()
返回值:有
)doc",

    R"doc(把文字寫入以 "w" 開啟的檔案，不會自動換行，換行請加 "\x0a"。
~File.Write(文字)
返回值:無
)doc",

    R"doc(把文字寫入以 "a" 開啟的檔案的最後面，不會自動換行。
~File.AddWrite(文字)
返回值:無
)doc",

    R"doc(關閉指定模式的檔案。
~File.Close(模式)
返回值:無
(模式: "r"、"w" 或 "a")
)doc",

    R"doc(判斷以 "r" 開啟的檔案是否已經讀到結尾。
~File.Eof()
返回值:有
(0 還沒到結尾，1 已經到結尾)
)doc",

    R"doc(判斷上一次 ~File.Read 是否讀完了一行。
~File.LineEnd()
返回值:有
(1 讀到行尾或檔案結尾，0 這一行太長，還沒讀完)
)doc",
};

}  // namespace

std::span<const std::string_view> HelpStringEntries() { return kString; }

std::span<const std::string_view> HelpTimeEntries() { return kTime; }

std::span<const std::string_view> HelpMathEntries() { return kMath; }

std::span<const std::string_view> HelpFileEntries() { return kFile; }

}  // namespace ml
