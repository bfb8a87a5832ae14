// Entries of the built-in reference: the native calls, and the lib and dos modules.
// Each entry: what the call does, notes, the call form with Chinese argument names,
// the return marking, possible values, and sometimes an example starting with a
// comment line.
#include <array>

#include "frontend/help_parts.h"

namespace ml {

namespace {

constexpr std::array<std::string_view, 2> kNativeCalls = {
    R"doc(呼叫動態連結函式庫 (DLL) 匯出的函式。
資料類型: "int" 返回整數，"char*" 返回文字。
參數最多 10 個，加上模組名稱、資料類型和函式名稱，總共最多 13 個。
數值參數以整數傳遞，文字參數以文字位址傳遞；數值或變量前面加 @ 會當成文字傳遞，例如 @12345、@$count。
函式名稱要區分大小寫。
~DLLMsg(模組名稱, 資料類型, 函式名稱, 參數1, 參數2, ...)
返回值:無/有
(單獨一行呼叫時不返回值；放在算式裡返回函式的結果)
' 範例: 顯示訊息視窗，$r 是按下的按鈕代碼。
$r = ~DLLMsg("User32.DLL", "int", "MessageBoxA", 0, @12345, "Message", 0)
)doc",

    R"doc(呼叫 COM 元件 (自動化物件) 的方法。
資料類型: "int" 返回整數，"dbl" 返回浮點數，"str" 返回文字。
參數最多 10 個，加上 ProgID、資料類型和方法名稱，總共最多 13 個；數值前面加 @ 會當成文字傳遞。
每次呼叫都會建立新的物件，呼叫結束後就釋放。
~COMMsg(ProgID, 資料類型, 方法名稱, 參數1, 參數2, ...)
返回值:無/有
(單獨一行呼叫時不返回值；放在算式裡返回方法的結果)
' 範例: 取得一個暫存檔名。
$name = ~COMMsg("Scripting.FileSystemObject", "str", "GetTempName")
)doc",
};

constexpr std::array<std::string_view, 16> kLib = {
    R"doc(把視窗設為前景視窗，啟動它並移到最前面。
~Lib.Active(視窗代碼)
返回值:無
)doc",

    R"doc(以視窗標題尋找視窗，返回視窗代碼。
~Lib.FindWindow(視窗名稱)
返回值:有
(0 表示找不到)
)doc",

    R"doc(在父視窗中尋找第一個指定類別名稱的子視窗，返回視窗代碼。
~Lib.FindWindowEx(父視窗代碼, 類別名稱)
返回值:有
(0 表示找不到)
)doc",

    R"doc(送出一個滑鼠動作，每個動作都會先把游標移到 (X座標, Y座標)。
視窗代碼為 0 時送到整個前景畫面 (螢幕座標)；其他視窗代碼把訊息送到那個視窗 (視窗工作區座標)。
~Lib.MouseMsg(視窗代碼, 訊息代碼, X座標, Y座標)
返回值:無
(訊息代碼: 0 移動，2 移動並按下左鍵，4 移動並放開左鍵，8 移動並按下右鍵，16 移動並放開右鍵)
' 範例: 在 (X, Y) 按一下左鍵、按一下右鍵。
Def: LeftClick($hwnd, $x, $y)
    ~Lib.MouseMsg($hwnd, 2, $x, $y)
    ~Lib.Sleep(50)
    ~Lib.MouseMsg($hwnd, 4, $x, $y)
End Def
Def: RightClick($hwnd, $x, $y)
    ~Lib.MouseMsg($hwnd, 8, $x, $y)
    ~Lib.Sleep(50)
    ~Lib.MouseMsg($hwnd, 16, $x, $y)
End Def
~LeftClick(0, 100, 200)
~RightClick(0, 100, 200)
)doc",

    R"doc(送出一個鍵盤按鍵動作。
視窗代碼為 0 時送到目前的前景視窗；其他視窗代碼把訊息送到那個視窗。
~Lib.KeybdMsg(視窗代碼, 訊息代碼, 虛擬鍵碼)
返回值:無
(訊息代碼: 0 按下，2 放開)
' 範例: 按一下按鍵，65 是 A 鍵。
Def: KeyClick($hwnd, $key)
    ~Lib.KeybdMsg($hwnd, 0, $key)
    ~Lib.Sleep(50)
    ~Lib.KeybdMsg($hwnd, 2, $key)
End Def
~KeyClick(0, 65)
)doc",

    R"doc(讀取一個按鍵的狀態。
~Lib.GetKey(虛擬鍵碼)
返回值:有
(0 沒有按下，1 上次讀取後按過但已經放開，-32767 按下中並且是上次讀取後才按下，-32768 按下中)
)doc",

    R"doc(暫停執行，1000 毫秒是 1 秒。
~Lib.Sleep(毫秒)
返回值:無
)doc",

    R"doc(取得滑鼠游標的 X 座標 (螢幕座標)。
~Lib.GetX()
返回值:有
)doc",

    R"doc(取得滑鼠游標的 Y 座標 (螢幕座標)。
~Lib.GetY()
返回值:有
)doc",

    R"doc(把十六進位文字轉換成十進位數值，例如 ~Lib.Dec("FF") 返回 255。
~Lib.Dec(十六進位文字)
返回值:有
)doc",

    R"doc(把十進位數值轉換成十六進位文字 (小寫，前面沒有 0x)，例如 ~Lib.Hex(255) 返回 ff。
~Lib.Hex(數值)
返回值:有
)doc",

    R"doc(把紅、綠、藍 (各 0 到 255) 組合成顏色值: 紅 + 綠 × 256 + 藍 × 65536。
~Lib.RGB(紅, 綠, 藍)
返回值:有
)doc",

    R"doc(讀取一個點的顏色值。
視窗代碼為 0 時讀取整個螢幕；其他視窗代碼讀取那個視窗的工作區，視窗被遮住也可以讀取。
~Lib.GetPixel(視窗代碼, X座標, Y座標)
返回值:有
)doc",

    R"doc(比較一個點的顏色和指定的顏色值，紅、綠、藍每一項的差都不超過誤差值就算相同。
誤差值可以是 0 到 100，0 表示顏色要完全相同。
~Lib.CmpPixel(視窗代碼, X座標, Y座標, 顏色值, 誤差值)
返回值:有
(0 不相同，1 相同)
)doc",

    R"doc(在螢幕或視窗的矩形範圍 (X1, Y1) 到 (X2, Y2) 裡尋找一張圖片，圖片是 24 位元的 BMP 圖檔。
誤差值可以是 0 到 100；圖片中顏色為 EAEAEA (紅、綠、藍都是 234) 的點不比較。
找到時返回圖片左上角的位置 Y × 65536 + X；圖片在 (0, 0) 時返回值也是 0。
~Lib.FindRGB(視窗代碼, X1, Y1, X2, Y2, 圖片檔名, 誤差值)
返回值:有
(0 沒有找到，1 以上是找到的位置)
' 範例: 找到圖片後在它的左上角按一下左鍵。
$pos = ~Lib.FindRGB(0, 0, 0, 1920, 1080, "button.bmp", 10)
Cmp ($pos > 0)
    $y = ~Math.Floor($pos / 65536)
    $x = $pos % 65536
    ~Lib.MouseMsg(0, 2, $x, $y)
    ~Lib.MouseMsg(0, 4, $x, $y)
End
)doc",

    R"doc(把整個螢幕或一個視窗的畫面存成 24 位元的 BMP 圖檔。
視窗代碼為 0 時擷取整個螢幕；其他視窗代碼擷取那個視窗的工作區。
~Lib.Capture(視窗代碼, 檔名.bmp)
返回值:無
)doc",
};

constexpr std::array<std::string_view, 7> kDos = {
    R"doc(在畫面上顯示文字，不會自動換行，換行請加 "\x0a"。
%% 顯示一個 %。
~Dos.Print(文字)
返回值:無
)doc",

    R"doc(執行命令提示字元的指令，例如 ~Dos.System("pause") 等待按下任意鍵。
~Dos.System(指令)
返回值:無
)doc",

    R"doc(從鍵盤讀取一行文字，按 Enter 結束。
~Dos.Gets()
返回值:有
)doc",

    R"doc(等待按下一個按鍵 (畫面上不顯示)，返回按鍵代碼。
方向鍵和功能鍵先返回 0 或 224，下一次呼叫再返回按鍵代碼。
~Dos.Getch()
返回值:有
(例如 13 是 Enter，27 是 Esc)
)doc",

    R"doc(清除畫面，游標移到左上角。
~Dos.Clrscr()
返回值:無
)doc",

    R"doc(把游標移到指定的欄和列。
~Dos.GotoXY(欄, 列)
返回值:無
(欄: 1 到 80，列: 1 到 25)
)doc",

    R"doc(設定之後顯示的文字顏色和背景顏色。
~Dos.TextColor(文字顏色, 背景顏色)
返回值:無
(顏色代碼:
  0 黑色      1 藍色      2 綠色      3 水藍色
  4 紅色      5 紫色      6 黃色      7 白色
  8 灰色      9 淡藍色   10 淡綠色   11 淡水藍色
 12 淡紅色   13 淡紫色   14 淡黃色   15 亮白色)
)doc",
};

}  // namespace

std::span<const std::string_view> HelpNativeCallEntries() { return kNativeCalls; }

std::span<const std::string_view> HelpLibEntries() { return kLib; }

std::span<const std::string_view> HelpDosEntries() { return kDos; }

}  // namespace ml
