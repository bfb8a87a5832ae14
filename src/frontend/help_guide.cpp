// The guide to the language in the help document. Apart from the first section, every
// section body is itself a script: explanations are comment lines, so a reader can copy
// a whole section into a file and run it.
#include <array>

#include "frontend/help_parts.h"

namespace ml {

namespace {

constexpr std::array<HelpSection, 21> kGuide = {{
    {"程式參考重點", R"doc(啟動畫面顯示的三個數值是腳本的上限:
Character Byte: 一行最多 256 個字符 (含行尾)，更長的一行會被切成好幾行載入。
Variable  Byte: 最多可以使用 4096 個變量，陣列的每一個元素和 .length 都算一個變量。
Ranks     Byte: 腳本最多可以有 8192 行，#Import 插入的腳本文件也算在內。
英文字母不分大小寫，雙引號中的文字除外；雙引號外的空白和 Tab 都會被忽略。
)doc"},

    {"開頭符號 $ 是全域變量", R"doc(' 以 $ 開頭的名稱是變量，用 = 設定數值或文字，不用事先宣告。
' 名稱可以用英文字母、數字、底線 _ 和句點 .，大小寫視為相同。
' 在函式外面設定的變量是全域變量，函式裡面的變量是局部變量。
$a = 10
$b = $a * 2 + 1             ' $b 等於 21
$a = $a + 1                 ' $a 等於 11
$text = "Hello"
$msg = $text " a = " $a     ' 文字和數值並排時直接連接: Hello a = 11
~Dos.Print($msg "\x0a")
)doc"},

    {"支援多重陣列變量，後面需要加 []", R"doc(' 陣列元素在變量名稱後面加 [索引]，可以有多個索引。
' 索引可以是數字、變量或算式，會先計算再使用。
$a[0] = 100
$a[1] = 200
$i = 1
$b = $a[$i]                 ' $b 等於 200
$t[1][2] = "x"              ' 二維陣列
$t[$i][$i + 1] = "y"        ' 索引先計算，和 $t[1][2] 是同一個元素
~Dos.Print($t[1][2] "\x0a") ' 顯示 y
)doc"},

    {"公開變量 $public. 不管全域變量和局部變量什麼都能通", R"doc(' 函式裡面讀不到外面的全域變量，外面也讀不到函式裡面的局部變量。
' 名稱以 $public. 開頭的變量不論在哪裡都是同一個變量。
$public.count = 0
Def: AddOne()
    $public.count = $public.count + 1
End Def
~AddOne()
~AddOne()
~Dos.Print("count = " $public.count "\x0a")    ' 顯示 count = 2
)doc"},

    {"數學符號運算", R"doc(' 只有數字、小數點、括號和運算符號的算式會被計算，結果最多保留六位小數。
$a = 7 + 2                  ' 加法: 9
$a = 7 - 2                  ' 減法: 5
$a = 7 * 2                  ' 乘法: 14
$a = 7 / 2                  ' 除法: 3.5
$a = 7 % 2                  ' 取餘數: 1
$a = 7 ^ 2                  ' 次方: 49
$a = (7 + 2) * 3            ' 括號先計算: 27
' 先算 ^，再算 * / %，最後算 + -。
$a = 1 + 2 * 3 ^ 2          ' 19
' 算式裡有文字時不會計算，只會連接: "x" 1 + 2 得到 x1+2。
)doc"},

    {"條件判斷式", R"doc(' Cmp (條件) ... End: 條件成立時執行中間的指令。
' Cmp (條件) ... ElCmp (條件) ... End: 只執行第一個成立的分支。
' ElCmp () 的條件是空的，一定成立，可以當成最後的其他分支。
$a = 5
Cmp ($a > 3)
    ~Dos.Print("a 大於 3\x0a")
End
Cmp ($a > 10)
    ~Dos.Print("a 大於 10\x0a")
ElCmp ($a > 3)
    ~Dos.Print("a 大於 3，不大於 10\x0a")
ElCmp ()
    ~Dos.Print("a 不大於 3\x0a")
End
)doc"},

    {"迴圈條件判斷式", R"doc(' Cmp (條件) ... Loop: 條件成立時重複執行，直到條件不成立。
$i = 1
Cmp ($i <= 3)
    ~Dos.Print("第 " $i " 次\x0a")
    $i = $i + 1
Loop
' 加上 ElCmp 時，任何一個條件成立就繼續重複，每次只執行第一個成立的分支。
$i = 0
$j = 0
Cmp ($i < 3)
    $i = $i + 1
ElCmp ($j < 2)
    $j = $j + 1
Loop
)doc"},

    {"Break", R"doc(' Break 離開迴圈，從 Loop 的下一行繼續執行。
$i = 0
Cmp ()
    $i = $i + 1
    Cmp ($i == 5)
        Break
    End
Loop
~Dos.Print("i = " $i "\x0a")          ' 顯示 i = 5
)doc"},

    {"Continue", R"doc(' Continue 回到迴圈的 Cmp，重新判斷條件。
$i = 0
Cmp ($i < 5)
    $i = $i + 1
    Cmp ($i == 3)
        Continue                    ' 不顯示 3
    End
    ~Dos.Print($i "\x0a")
Loop
)doc"},

    {"執行條件判斷結果", R"doc(' Cmp (1) 和 Cmp () 一定執行，Cmp (0) 一定不執行。
' 沒有比較符號時，數值不是 0 就算成立。
Cmp (1)
    ~Dos.Print("一定執行\x0a")
End
Cmp ()
    ~Dos.Print("一定執行\x0a")
End
Cmp (0)
    ~Dos.Print("一定不執行\x0a")
End
' 比較符號: == 等於、<> 不等於 (比較文字)；< 小於、> 大於、<= 小於或等於、>= 大於或等於 (比較數值)。
' == 比較的是文字，所以 1 == 1.0 不成立。
$a = 5
Cmp ($a == 5)
    ~Dos.Print("等於\x0a")
End
Cmp ($a <> 4)
    ~Dos.Print("不等於\x0a")
End
Cmp ($a < 6)
    ~Dos.Print("小於\x0a")
End
Cmp ($a > 4)
    ~Dos.Print("大於\x0a")
End
Cmp ($a <= 5)
    ~Dos.Print("小於或等於\x0a")
End
Cmp ($a >= 5)
    ~Dos.Print("大於或等於\x0a")
End
)doc"},

    {"GoTo 跳轉標籤", R"doc(' 標籤是冒號加名稱，GoTo 名稱 跳到標籤的下一行，可以向前或向後跳。
' 函式裡的 GoTo 只能跳到同一個函式裡的標籤。
$i = 0
:Main
$i = $i + 1
Cmp ($i < 3)
    GoTo Main                       ' 向後跳轉
End
GoTo Finish                         ' 向前跳轉
~Dos.Print("這一行不會執行\x0a")
:Finish
~Dos.Print("i = " $i "\x0a")          ' 顯示 i = 3
)doc"},

    {"Exit 離開主程式", R"doc(' Exit 立即結束程式，後面的指令都不會執行。
' Exit 後面可以加 0 到 255 的結束狀態，例如 Exit 3，shell 的 $? 就是 3；只寫 Exit 是 0。
~Dos.Print("結束前\x0a")
Exit
~Dos.Print("不會執行\x0a")
)doc"},

    {"#Import 進口插入腳本文件", R"doc(' #Import "檔名" 把另一個腳本文件的每一行插入到這個位置，檔名要包含副檔名。
#Import "Tools.txt"
' #Import <模組> 載入內建模組，載入後呼叫時可以省略模組名稱。
' 內建模組有六個: lib、dos、string、time、math、file。
#Import <dos>
#Import <string>
~Dos.Print("寫模組名稱\x0a")
~Print("省略模組名稱\x0a")
$n = ~Len("abc")                    ' 和 ~String.Len("abc") 相同
)doc"},

    {"特殊字符", R"doc(' 文字中用 \x 加兩個十六進位數字 (00 到 FF) 表示一個字符，一定要剛好兩位數。
~Dos.Print("第一行\x0a第二行\x0a")     ' \x0a 換行
~Dos.Print("回到行首\x0d")             ' \x0d 歸位
~Dos.Print("A\x09B\x0a")               ' \x09 Tab
~Dos.Print("C:\x5cTemp\x0a")           ' \x5c 反斜線
~Dos.Print("\x28括號\x29\x0a")         ' \x28 左括號，\x29 右括號
~Dos.Print("\x22引號\x22\x0a")         ' \x22 雙引號
~Dos.Print("1\x2c2\x2c3\x0a")          ' \x2c 逗號
)doc"},

    {"'註解符號", R"doc(' 單引號 ' 到行尾是註解，不會執行。
$a = 1                              ' 指令後面也可以寫註解
' 雙引號中的單引號不是註解:
~Dos.Print("It's OK\x0a")
)doc"},

    {"16進位轉換10進位", R"doc(' 0x 開頭的十六進位數字在載入時轉換成十進位，位數不限，取 32 位元的有號整數。
$a = 0xFF                           ' 255
$b = 0x10 + 1                       ' 17
$c = 0x7FFFFFFF                     ' 2147483647
$d = 0xFFFFFFFF                     ' -1
' x 必須是小寫，0X 不會轉換。
)doc"},

    {"使用 Def: ... End Def", R"doc(' Def: 名稱(參數, ...) 到 End Def 定義一個函式，程式執行到 Def: 時會跳過函式內容。
' 沒有 Return 的函式只能單獨一行呼叫，不能放在算式裡。
Def: Show($a, $b)
    ~Dos.Print($a " + " $b " = ")
    ~Dos.Print($a + $b)
    ~Dos.Print("\x0a")
End Def
~Show(1, 2)                         ' 顯示 1 + 2 = 3
)doc"},

    {"Return 返回值", R"doc(' Return 結束函式並返回一個值；有 Return 的函式要放在算式或參數裡呼叫。
Def: Add($a, $b)
    Return $a + $b
End Def
$x = ~Add(1, 2) * 2                 ' $x 等於 6
~Dos.Print(~Add(3, 4) "\x0a")       ' 顯示 7
)doc"},

    {"符號 ~ 使用呼叫函數 Def:", R"doc(' 呼叫函式時在名稱前面加 ~，參數個數要和 Def: 相同，最多可以呼叫 16 層。
' 函式裡的 $ 變量是局部變量，和外面同名的變量互不影響。
$a = "外面"
Def: Test($b)
    $a = "裡面 " $b
    ~Dos.Print($a "\x0a")             ' 顯示 裡面 1
End Def
~Test(1)
~Dos.Print($a "\x0a")                 ' 顯示 外面
)doc"},

    {"類別 Class: ... End Class", R"doc(' Class: 名稱 到 End Class 之間只能放 Def: ... End Def。
' 可以用 ~類別名稱.函式名稱() 呼叫，也可以用 ~物件名稱(類別名稱).new 建立物件，再用物件名稱呼叫。
Class: Calc
    Def: Add($a, $b)
        Return $a + $b
    End Def
    Def: Show($text)
        ~Dos.Print($text "\x0a")
    End Def
End Class
$x = ~Calc.Add(1, 2)                ' 用類別名稱呼叫: 3
~Obj(Calc).new                      ' 建立物件 Obj
$y = ~Obj.Add(3, 4)                 ' 用物件名稱呼叫: 7
~Obj.Show("Hello")
)doc"},

    {"陣列 Array", R"doc(' $名稱(元素, 元素, ...).Array 建立陣列，元素從 [0] 開始，$名稱.length 是元素的個數。
$fruit("apple", "pear", "plum").Array
$i = 0
Cmp ($i < $fruit.length)
    ~Dos.Print($i ": " $fruit[$i] "\x0a")
    $i = $i + 1
Loop
)doc"},
}};

constexpr HelpSection kFileSection = {"File 說明", R"doc(' 寫入: 模式 "w" 建立新的檔案，已經有的檔案會被清空。
~File.Open("test.txt", "w")
~File.Write("第一行\x0a")
~File.Write("第二行\x0a")
~File.Close("w")
' 讀取: 模式 "r" 一次讀一行。每次讀之前先看 ~File.Eof()；讀到的值單獨存進變數，
' 用時在旁邊加 ""；讀到空值而且 ~File.Eof() 為 1 時，已經沒有下一行。
' 太長的一行分幾次讀到，~File.LineEnd() 為 1 時這一行才讀完。
~File.Open("test.txt", "r")
Cmp (~File.Eof() == 0)
    $line = ~File.Read()
    Cmp (~String.Len($line "") == 0)
        Cmp (~File.Eof() == 1)
            Break
        End
    End
    ~Dos.Print($line "")
    Cmp (~File.LineEnd() == 1)
        ~Dos.Print("\x0a")
    End
Loop
~File.Close("r")
' 附加: 模式 "a" 把文字寫在檔案的最後面。
~File.Open("test.txt", "a")
~File.AddWrite("第三行\x0a")
~File.Close("a")
)doc"};

}  // namespace

std::span<const HelpSection> HelpGuideSections() { return kGuide; }

HelpSection HelpFileSection() { return kFileSection; }

}  // namespace ml
