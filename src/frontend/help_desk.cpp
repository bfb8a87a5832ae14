// Entries of the built-in reference: the desk module, in the same form as the lib
// entries.
#include <array>

#include "frontend/help_parts.h"

namespace ml {

namespace {

constexpr std::array<std::string_view, 42> kDesk = {
    R"doc(輸入一段文字。視窗代碼 0 以模擬的鍵盤輸入到目前的焦點視窗，其他視窗代碼把字元送到該視窗。
"\x0a" 是 Enter，"\x09" 是 Tab；需要 Shift 的字元會自動按下 Shift。
無法輸入的字元 (例如 Linux 上不是 UTF-8 的位元組) 會發生錯誤，這時整段文字都不會輸入。
~Desk.Type(視窗代碼, 文字)
返回值:無
)doc",

    R"doc(取得按鍵名稱的虛擬鍵碼，不分大小寫，例如 "enter"、"esc"、"f5"、"a"、"comma"；可以用在 ~Lib.KeybdMsg。
名稱不存在時會發生錯誤。
~Desk.Key(按鍵名稱)
返回值:有
)doc",

    R"doc(等待標題完全相同的可見視窗出現，每 50 毫秒檢查一次。
~Desk.Wait(視窗名稱, 毫秒)
返回值:有
(視窗代碼，0 表示時間到了還沒有出現)
)doc",

    R"doc(尋找標題包含指定文字的第一個可見視窗，區分大小寫。
加上第二個參數 (毫秒) 時會等待視窗出現，每 50 毫秒檢查一次：~Desk.Find(文字, 毫秒)
~Desk.Find(文字)
返回值:有
(0 表示找不到)
)doc",

    R"doc(依照由上到下的順序逐一取得可見的頂層視窗：0 取得第一個，視窗代碼取得它的下一個。
~Desk.Next(視窗代碼)
返回值:有
(0 表示已經沒有下一個)
)doc",

    R"doc(取得視窗的標題，最多 255 個 Byte。
~Desk.Title(視窗代碼)
返回值:有
)doc",

    R"doc(取得視窗外框左上角的 X 座標；視窗代碼 0 表示整個桌面 (所有顯示器)。
~Desk.X(視窗代碼)
返回值:有
)doc",

    R"doc(取得視窗外框左上角的 Y 座標；視窗代碼 0 表示整個桌面 (所有顯示器)。
~Desk.Y(視窗代碼)
返回值:有
)doc",

    R"doc(取得視窗外框的寬度；視窗代碼 0 表示整個桌面 (所有顯示器)。
~Desk.Width(視窗代碼)
返回值:有
)doc",

    R"doc(取得視窗外框的高度；視窗代碼 0 表示整個桌面 (所有顯示器)。
~Desk.Height(視窗代碼)
返回值:有
)doc",

    R"doc(移動視窗並改變它的大小；寬度或高度是負數時保持原來的大小。
~Desk.Move(視窗代碼, X座標, Y座標, 寬度, 高度)
返回值:無
)doc",

    R"doc(要求視窗關閉，和按下視窗的關閉按鈕相同。
~Desk.Close(視窗代碼)
返回值:無
)doc",

    R"doc(按一下或連按兩下滑鼠按鈕。視窗代碼 0 以桌面座標模擬 (所有顯示器)，其他視窗代碼以視窗的座標送到該視窗。
~Desk.Click(視窗代碼, 按鈕, X座標, Y座標, 次數)
返回值:無
(按鈕: "left"、"middle" 或 "right"；次數: 1 或 2)
)doc",

    R"doc(轉動滑鼠滾輪，正數向前 (遠離使用者)，每次最多 1000 格。
~Desk.Wheel(視窗代碼, 格數, X座標, Y座標)
返回值:無
)doc",

    R"doc(和 ~Lib.Capture 相同，但檔名以 .png 結尾時 (不分大小寫) 存成 PNG 檔，
而且視窗的圖片只有視窗內部 (工作區)，大小和視窗內部相同。
~Desk.Capture(視窗代碼, 檔名.png)
返回值:無
)doc",

    R"doc(在視窗內部 (視窗代碼 0 表示整個桌面，所有顯示器) 尋找一張圖片，圖片可以是任何色彩深度的 BMP 或 PNG 檔。
還沒有找到時每 50 毫秒重新擷取畫面再找一次，直到超過等待的毫秒數。
誤差值可以是 0 到 100；顏色為 EAEAEA 的點和 PNG 完全透明的點不比較。
~Desk.Look(視窗代碼, 圖片檔名, 誤差值, 毫秒)
返回值:有
(1 表示找到，0 表示時間到了還沒有找到)
' 範例: 等待按鈕出現，再按一下它的中心。
$w = ~Desk.Find("Order Form")
Cmp (~Desk.Look($w, "send.png", 10, 5000) == 1)
    ~Desk.Click($w, "left", ~Desk.FoundX(), ~Desk.FoundY(), 1)
End
)doc",

    R"doc(取得 ~Desk.Look 最後找到的圖片中心的 X 座標，和搜尋時的座標相同 (視窗內部或桌面)，可以直接用在同一個視窗的 ~Desk.Click。
還沒有找到過，或最後一次沒有找到時是 -1。
~Desk.FoundX()
返回值:有
)doc",

    R"doc(取得 ~Desk.Look 最後找到的圖片中心的 Y 座標，和搜尋時的座標相同 (視窗內部或桌面)，可以直接用在同一個視窗的 ~Desk.Click。
還沒有找到過，或最後一次沒有找到時是 -1。
~Desk.FoundY()
返回值:有
)doc",

    R"doc(按下組合鍵：按鍵名稱 (和 ~Desk.Key 相同，不分大小寫) 以 + 連接成一組，例如 "ctrl+s"、"ctrl+shift+t"、"alt+f4"；
多組以空白分開，依序按下，例如 "ctrl+a delete"。每組的 ctrl、shift、alt、win 先按下，最後以相反的順序放開。
視窗代碼 0 以模擬的鍵盤輸入到目前的焦點視窗，其他視窗代碼把按鍵和按住的組合鍵狀態送到該視窗。
名稱不存在時會發生錯誤，這時一個鍵都不會按下。
~Desk.Press(視窗代碼, 組合鍵)
返回值:無
)doc",

    R"doc(取得視窗內部 (工作區) 左上角的螢幕 X 座標，也就是 ~Desk.Click 的視窗座標 0 的位置；
視窗座標加上它就是螢幕座標。視窗代碼 0 和不存在的視窗都是 0。
~Desk.InsideX(視窗代碼)
返回值:有
)doc",

    R"doc(取得視窗內部 (工作區) 左上角的螢幕 Y 座標；視窗代碼 0 和不存在的視窗都是 0。
~Desk.InsideY(視窗代碼)
返回值:有
)doc",

    R"doc(取得命令列上的第 n 個參數：0 是腳本檔名，1 是腳本檔名後面的第一個參數；超過最後一個時是空字串。
參數是資料，裡面的 $、~ 和引號都不會執行。n 是負數時會發生錯誤。
例如 morrowlark64 -q 腳本.txt "第一個 參數" 第二個
~Desk.Arg(n)
返回值:有
)doc",

    R"doc(取得腳本檔名後面的參數個數，~Desk.Arg(~Desk.ArgCount()) 就是最後一個參數。
~Desk.ArgCount()
返回值:有
)doc",

    R"doc(啟動程式，不等待它結束。Linux 以 /bin/sh -c 執行命令；Windows 的命令列和 CreateProcess 相同。
無法啟動時會發生錯誤。當作敘述使用時不取得行程代碼。
~Desk.Run(命令)
返回值:有
(程式的行程代碼)
)doc",

    R"doc(啟動程式並等待它結束，最多等待指定的毫秒；時間到了程式仍會繼續執行。
~Desk.RunWait(命令, 毫秒)
返回值:有
(程式的結束代碼，-1 表示時間到了還沒有結束)
)doc",

    R"doc(結束行程。Linux 先送 SIGTERM，2 秒後還在執行就送 SIGKILL；Windows 直接終止。
行程代碼 0 或負數不會送出任何訊號；行程 1 以及無法結束的行程會發生錯誤。
~Desk.Kill(行程代碼)
返回值:有
(1 表示已經結束，0 表示沒有這個行程)
)doc",

    R"doc(等待視窗關閉或隱藏，每 50 毫秒檢查一次。
~Desk.WaitClose(視窗代碼, 毫秒)
返回值:有
(1 表示視窗已經不在，0 表示時間到了視窗還在)
)doc",

    R"doc(取得有鍵盤焦點的頂層視窗。
~Desk.Focused()
返回值:有
(0 表示沒有)
)doc",

    R"doc(取得桌面座標所在的最上層可見視窗。
~Desk.At(X座標, Y座標)
返回值:有
(0 表示沒有)
)doc",

    R"doc(取得滑鼠游標在桌面上的 X 座標。
~Desk.MouseX()
返回值:有
)doc",

    R"doc(取得滑鼠游標在桌面上的 Y 座標。
~Desk.MouseY()
返回值:有
)doc",

    R"doc(取得顯示器的數目。桌面座標從主顯示器的左上角 (0, 0) 算起，
在主顯示器左邊或上面的顯示器座標是負數；~Lib 的函式只使用主顯示器。
~Desk.Monitors()
返回值:有
)doc",

    R"doc(取得第 n 個顯示器左上角在桌面上的 X 座標；1 是主顯示器。n 超出範圍時會發生錯誤。
~Desk.MonitorX(n)
返回值:有
)doc",

    R"doc(取得第 n 個顯示器左上角在桌面上的 Y 座標；1 是主顯示器。n 超出範圍時會發生錯誤。
~Desk.MonitorY(n)
返回值:有
)doc",

    R"doc(取得第 n 個顯示器的寬度 (實際的像素)；1 是主顯示器。n 超出範圍時會發生錯誤。
~Desk.MonitorWidth(n)
返回值:有
)doc",

    R"doc(取得第 n 個顯示器的高度 (實際的像素)；1 是主顯示器。n 超出範圍時會發生錯誤。
~Desk.MonitorHeight(n)
返回值:有
' 範例: 在每個顯示器的中心按一下。
$n = 1
Cmp ($n <= ~Desk.Monitors())
    $x = ~Desk.MonitorX($n) + ~Desk.MonitorWidth($n) / 2
    $y = ~Desk.MonitorY($n) + ~Desk.MonitorHeight($n) / 2
    ~Desk.Click(0, "left", $x, $y, 1)
    $n = $n + 1
Loop
)doc",

    R"doc(取得剪貼簿裡的文字；剪貼簿沒有文字時是空字串。文字當作文字，不會被計算，
和 ~File.Read 一樣最多 251 個位元組。
~Desk.Clipboard()
返回值:有
)doc",

    R"doc(把文字放到剪貼簿。在 X11 上是 CLIPBOARD 選取區，腳本結束後仍可貼上，
直到別的程式取得剪貼簿為止。
~Desk.SetClipboard(文字)
返回值:無
' 範例: 複製一段文字，再讀回來。
~Desk.SetClipboard("訂單 1024")
$c = ~Desk.Clipboard()
)doc",

    R"doc(依名稱找視窗裡的控制項 (深度優先)：文字 (去掉 & 快速鍵記號) 等於名稱，
或類別等於名稱；"Edit#2" 取第二個 Edit 類別的控制項。找不到時返回 0。
Windows 使用子視窗；Linux 使用無障礙介面 (AT-SPI)，程式需開啟無障礙功能。
~Desk.Control(視窗代碼, 名稱)
返回值:有
' 範例: 按下對話框的「No」按鈕。
$w = ~Desk.Wait("Question", 5000)
Cmp ($w <> 0)
    $no = ~Desk.Control($w, "No")
    Cmp ($no <> 0)
        ~Desk.Push($no)
    End
End
)doc",

    R"doc(取得視窗或控制項的文字：編輯欄位的內容、按鈕或標籤的文字、視窗的標題。
~Desk.Text(視窗代碼)
返回值:有
)doc",

    R"doc(設定編輯欄位的文字。
~Desk.SetText(視窗代碼, 文字)
返回值:無
)doc",

    R"doc(按下按鈕，不移動滑鼠，也不需要把視窗移到最前面。
~Desk.Push(視窗代碼)
返回值:無
)doc",
};

}  // namespace

std::span<const std::string_view> HelpDeskEntries() { return kDesk; }

}  // namespace ml
