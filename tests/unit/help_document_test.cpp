#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "frontend/help_document.h"
#include "frontend/startup.h"
#include "test_run.h"

namespace ml {

namespace {

using Lines = std::vector<std::string_view>;

struct Section {
    std::string_view heading;
    Lines body;  // without the blank lines around it
};

// An entry of the built-in reference: its call form and the line that follows it.
using CallForm = std::pair<std::string, std::string>;

Lines SplitLines(std::string_view text) {
    Lines lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

bool IsSectionHeading(std::string_view line) { return line.starts_with("_"); }
bool IsModuleHeading(std::string_view line) { return line.starts_with("##"); }
bool IsRule(std::string_view line) { return line.starts_with("----------"); }

// The document cut at its section headings; each heading must be followed by a blank
// line and each body by the blank line that separates it from the next section.
std::vector<Section> Sections() {
    const Lines lines = SplitLines(HelpDocument());
    std::vector<Section> sections;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsSectionHeading(lines[i])) continue;
        std::size_t next = i + 1;
        while (next < lines.size() && !IsSectionHeading(lines[next])) ++next;
        EXPECT_TRUE(i + 1 < lines.size() && lines[i + 1].empty()) << lines[i];
        std::size_t end = next < lines.size() ? next - 1 : next;
        if (next < lines.size()) {
            EXPECT_TRUE(lines[end].empty()) << lines[next];
        }
        sections.push_back({lines[i], Lines(lines.begin() + static_cast<long>(std::min(i + 2, end)),
                                            lines.begin() + static_cast<long>(end))});
        i = next - 1;
    }
    return sections;
}

Section Reference() {
    for (const Section& s : Sections())
        if (s.heading.ends_with("( 內建函式說明 )")) return s;
    ADD_FAILURE() << "no built-in reference";
    return {};
}

// The reference cut into groups: the native calls first, then one group per module
// heading; each group cut into entries at the rules between them.
std::vector<std::vector<Lines>> ReferenceGroups() {
    const Lines body = Reference().body;
    std::vector<std::vector<Lines>> groups(1, std::vector<Lines>(1));
    for (std::size_t i = 0; i < body.size(); ++i) {
        std::string_view line = body[i];
        if (IsModuleHeading(line)) {
            EXPECT_TRUE(i > 0 && body[i - 1].empty() && i + 1 < body.size() && body[i + 1].empty()) << line;
            groups.push_back(std::vector<Lines>(1));
            ++i;
        } else if (IsRule(line)) {
            EXPECT_EQ(line, std::string(99, '-'));
            EXPECT_TRUE(body[i - 1].empty() && i + 1 < body.size() && body[i + 1].empty());
            groups.back().emplace_back();
            ++i;
        } else if (!line.empty()) {
            groups.back().back().push_back(line);
        } else {
            bool nextStartsGroup = i + 1 < body.size() && (IsModuleHeading(body[i + 1]) || IsRule(body[i + 1]));
            EXPECT_TRUE(nextStartsGroup) << "blank line inside an entry, before: " << body[i + 1];
        }
    }
    return groups;
}

std::vector<CallForm> CallForms(const std::vector<Lines>& entries) {
    std::vector<CallForm> forms;
    for (const Lines& entry : entries) {
        std::size_t marks = 0;
        for (std::size_t i = 1; i < entry.size(); ++i) {
            if (!entry[i].starts_with("返回值:")) continue;
            ++marks;
            forms.emplace_back(entry[i - 1], entry[i]);
        }
        EXPECT_EQ(marks, 1u) << entry.front();
        EXPECT_FALSE(entry.front().starts_with("~") || entry.front().starts_with("'")) << entry.front();
    }
    return forms;
}

// An example is script text from its first comment line to the end of its section body
// (guide sections) or of its entry (built-in reference).
std::string ExampleOf(const Lines& lines) {
    std::string script;
    bool inExample = false;
    for (std::string_view line : lines) {
        inExample = inExample || line.starts_with("'");
        if (inExample) (script += line) += '\n';
    }
    return script;
}

std::vector<std::string> Examples() {
    std::vector<std::string> examples;
    for (const Section& s : Sections()) {
        if (s.heading.ends_with("( 內建函式說明 )")) continue;
        if (std::string example = ExampleOf(s.body); !example.empty()) examples.push_back(example);
    }
    for (const auto& group : ReferenceGroups())
        for (const Lines& entry : group)
            if (std::string example = ExampleOf(entry); !example.empty()) examples.push_back(example);
    return examples;
}

// The example of the guide section with this title.
std::string GuideExample(std::string_view title) {
    const std::string heading = std::string(50, '_') + "( " + std::string(title) + " )";
    for (const Section& s : Sections())
        if (s.heading == heading) return ExampleOf(s.body);
    ADD_FAILURE() << "no section " << title;
    return {};
}

// The example of the reference entry whose call form begins with this text.
std::string EntryExample(std::string_view call) {
    for (const auto& group : ReferenceGroups())
        for (const Lines& entry : group)
            for (std::string_view line : entry)
                if (line.starts_with(call)) return ExampleOf(entry);
    ADD_FAILURE() << "no entry " << call;
    return {};
}

// Converts with iconv; false when some character has no form in the target encoding.
bool Convert(const char* to, std::string_view utf8, std::string& out) {
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in(utf8);
    out.assign(in.size() * 2 + 16, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t srcLeft = in.size(), dstLeft = out.size();
    std::size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return result == 0 && srcLeft == 0;
}

// A fresh working directory for each test, since loading imports and running writes files.
class InTempDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        home = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("help_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(dir);
    }

    static void WriteFile(const char* name, std::string_view text) {
        std::FILE* file = std::fopen(name, "wb");
        ASSERT_NE(file, nullptr) << name;
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    static std::string ReadFile(const char* name) {
        std::string text;
        if (std::FILE* file = std::fopen(name, "rb")) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
            std::fclose(file);
        }
        return text;
    }

    std::filesystem::path home, dir;
};

// Each example loads in a directory that holds the file the import example names.
class HelpExamples : public InTempDirectory {
protected:
    void SetUp() override {
        InTempDirectory::SetUp();
        WriteFile("Tools.txt", "Def: Hello()\n    ~Dos.Print(\"Hello\\x0a\")\nEnd Def\n");
    }

    static void ExpectLoads(const std::string& script) {
        TestRun t;
        t.load(script);
        EXPECT_FALSE(t.ended) << t.out() << "in:\n" << script;
        EXPECT_EQ(t.in->loader.openCmpCount, 0) << script;
        EXPECT_EQ(t.in->loader.openFunctions, 0) << script;
        EXPECT_FALSE(t.in->loader.inClass) << script;
    }
};

const std::vector<std::string> kTitles = {
    "程式參考重點",
    "開頭符號 $ 是全域變量",
    "支援多重陣列變量，後面需要加 []",
    "公開變量 $public. 不管全域變量和局部變量什麼都能通",
    "數學符號運算",
    "條件判斷式",
    "迴圈條件判斷式",
    "Break",
    "Continue",
    "執行條件判斷結果",
    "GoTo 跳轉標籤",
    "Exit 離開主程式",
    "#Import 進口插入腳本文件",
    "特殊字符",
    "'註解符號",
    "16進位轉換10進位",
    "使用 Def: ... End Def",
    "Return 返回值",
    "符號 ~ 使用呼叫函數 Def:",
    "類別 Class: ... End Class",
    "陣列 Array",
    "內建函式說明",
    "File 說明",
};

}  // namespace

TEST(HelpDocument, SectionHeadingsInOrder) {
    const std::string_view doc = HelpDocument();
    ASSERT_TRUE(doc.starts_with(std::string(50, '_'))) << "the document begins with its first heading";
    EXPECT_TRUE(doc.ends_with("\n") && !doc.ends_with("\n\n"));
    std::vector<std::string> headings;
    for (const Section& s : Sections()) {
        headings.emplace_back(s.heading);
        EXPECT_FALSE(s.body.empty() || s.body.front().empty()) << s.heading;
    }
    std::vector<std::string> expected;
    for (const std::string& title : kTitles) expected.push_back(std::string(50, '_') + "( " + title + " )");
    EXPECT_EQ(headings, expected);
}

TEST(HelpDocument, ModuleHeadingsWithTheirSignCounts) {
    std::vector<std::string> headings;
    for (std::string_view line : SplitLines(HelpDocument()))
        if (IsModuleHeading(line)) headings.emplace_back(line);
    const std::vector<std::string> expected = {
        std::string(92, '#') + "( Lib )",  std::string(92, '#') + "( Dos )",  std::string(89, '#') + "( String )",
        std::string(91, '#') + "( Time )", std::string(91, '#') + "( Math )", std::string(91, '#') + "( File )",
        std::string(91, '#') + "( Desk )",
    };
    EXPECT_EQ(headings, expected);
    // All of them stand in the built-in reference.
    std::size_t inReference = 0;
    for (std::string_view line : Reference().body) inReference += IsModuleHeading(line);
    EXPECT_EQ(inReference, expected.size());
}

TEST(HelpDocument, NativeCallEntries) {
    const auto groups = ReferenceGroups();
    ASSERT_EQ(groups.size(), 8u);
    const std::vector<CallForm> expected = {
        {"~DLLMsg(模組名稱, 資料類型, 函式名稱, 參數1, 參數2, ...)", "返回值:無/有"},
        {"~COMMsg(ProgID, 資料類型, 方法名稱, 參數1, 參數2, ...)", "返回值:無/有"},
    };
    EXPECT_EQ(CallForms(groups[0]), expected);
}

TEST(HelpDocument, LibAndDosEntriesInOrder) {
    const auto groups = ReferenceGroups();
    ASSERT_EQ(groups.size(), 8u);
    const std::vector<CallForm> lib = {
        {"~Lib.Active(視窗代碼)", "返回值:無"},
        {"~Lib.FindWindow(視窗名稱)", "返回值:有"},
        {"~Lib.FindWindowEx(父視窗代碼, 類別名稱)", "返回值:有"},
        {"~Lib.MouseMsg(視窗代碼, 訊息代碼, X座標, Y座標)", "返回值:無"},
        {"~Lib.KeybdMsg(視窗代碼, 訊息代碼, 虛擬鍵碼)", "返回值:無"},
        {"~Lib.GetKey(虛擬鍵碼)", "返回值:有"},
        {"~Lib.Sleep(毫秒)", "返回值:無"},
        {"~Lib.GetX()", "返回值:有"},
        {"~Lib.GetY()", "返回值:有"},
        {"~Lib.Dec(十六進位文字)", "返回值:有"},
        {"~Lib.Hex(數值)", "返回值:有"},
        {"~Lib.RGB(紅, 綠, 藍)", "返回值:有"},
        {"~Lib.GetPixel(視窗代碼, X座標, Y座標)", "返回值:有"},
        {"~Lib.CmpPixel(視窗代碼, X座標, Y座標, 顏色值, 誤差值)", "返回值:有"},
        {"~Lib.FindRGB(視窗代碼, X1, Y1, X2, Y2, 圖片檔名, 誤差值)", "返回值:有"},
        {"~Lib.Capture(視窗代碼, 檔名.bmp)", "返回值:無"},
    };
    const std::vector<CallForm> dos = {
        {"~Dos.Print(文字)", "返回值:無"},
        {"~Dos.System(指令)", "返回值:無"},
        {"~Dos.Gets()", "返回值:有"},
        {"~Dos.Getch()", "返回值:有"},
        {"~Dos.Clrscr()", "返回值:無"},
        {"~Dos.GotoXY(欄, 列)", "返回值:無"},
        {"~Dos.TextColor(文字顏色, 背景顏色)", "返回值:無"},
    };
    EXPECT_EQ(CallForms(groups[1]), lib);
    EXPECT_EQ(CallForms(groups[2]), dos);
}

TEST(HelpDocument, StringTimeMathFileEntriesInOrder) {
    const auto groups = ReferenceGroups();
    ASSERT_EQ(groups.size(), 8u);
    const std::vector<CallForm> string = {
        {"~String.Mid(文字, 開始位置, 長度)", "返回值:有"},
        {"~String.Len(文字)", "返回值:有"},
        {"~String.Instr(文字, 搜尋文字)", "返回值:有"},
        {"~String.InstrRev(文字, 搜尋文字)", "返回值:有"},
        {"~String.Insert(文字, 位置, 插入文字)", "返回值:有"},
        {"~String.Remove(文字, 位置, 長度)", "返回值:有"},
        {"~String.Replace(文字, 搜尋文字, 新文字)", "返回值:有"},
        {"~String.Trim(文字)", "返回值:有"},
        {"~String.Reverse(文字)", "返回值:有"},
        {"~String.Lower(文字)", "返回值:有"},
        {"~String.Upper(文字)", "返回值:有"},
        {"~String.InCount(文字, 搜尋文字)", "返回值:有"},
        {"~String.IsNumber(文字)", "返回值:有"},
        {"~String.Lmend(文字, 寬度)", "返回值:有"},
        {"~String.Rmend(文字, 寬度)", "返回值:有"},
        {"~String.Split(文字, 分隔字符)", "返回值:有"},
    };
    const std::vector<CallForm> time = {
        {"~Time.Year()", "返回值:有"},   {"~Time.Month()", "返回值:有"},  {"~Time.Day()", "返回值:有"},
        {"~Time.Week()", "返回值:有"},   {"~Time.Hour()", "返回值:有"},   {"~Time.Minute()", "返回值:有"},
        {"~Time.Second()", "返回值:有"}, {"~Time.Clock()", "返回值:有"},  {"~Time.Rand(範圍)", "返回值:有"},
    };
    const std::vector<CallForm> math = {
        {"~Math.Abs(數值)", "返回值:有"},   {"~Math.Exp(數值)", "返回值:有"}, {"~Math.Floor(數值)", "返回值:有"},
        {"~Math.Ceil(數值)", "返回值:有"},  {"~Math.Sqrt(數值)", "返回值:有"}, {"~Math.Log(數值)", "返回值:有"},
        {"~Math.Sin(弧度)", "返回值:有"},   {"~Math.Cos(弧度)", "返回值:有"}, {"~Math.Tan(弧度)", "返回值:有"},
    };
    const std::vector<CallForm> file = {
        {"~File.Exists(檔名)", "返回值:有"},
        {"~File.Open(檔名, 模式)", "返回值:無"},
        {"~File.Read()", "返回值:有"},
        {"~File.Write(文字)", "返回值:無"},
        {"~File.AddWrite(文字)", "返回值:無"},
        {"~File.Close(模式)", "返回值:無"},
        {"~File.Eof()", "返回值:有"},
        {"~File.LineEnd()", "返回值:有"},
    };
    EXPECT_EQ(CallForms(groups[3]), string);
    EXPECT_EQ(CallForms(groups[4]), time);
    EXPECT_EQ(CallForms(groups[5]), math);
    EXPECT_EQ(CallForms(groups[6]), file);
}

TEST(HelpDocument, DeskEntriesInOrder) {
    const auto groups = ReferenceGroups();
    ASSERT_EQ(groups.size(), 8u);
    const std::vector<CallForm> desk = {
        {"~Desk.Type(視窗代碼, 文字)", "返回值:無"},
        {"~Desk.Key(按鍵名稱)", "返回值:有"},
        {"~Desk.Wait(視窗名稱, 毫秒)", "返回值:有"},
        {"~Desk.Find(文字)", "返回值:有"},
        {"~Desk.Next(視窗代碼)", "返回值:有"},
        {"~Desk.Title(視窗代碼)", "返回值:有"},
        {"~Desk.X(視窗代碼)", "返回值:有"},
        {"~Desk.Y(視窗代碼)", "返回值:有"},
        {"~Desk.Width(視窗代碼)", "返回值:有"},
        {"~Desk.Height(視窗代碼)", "返回值:有"},
        {"~Desk.Move(視窗代碼, X座標, Y座標, 寬度, 高度)", "返回值:無"},
        {"~Desk.Close(視窗代碼)", "返回值:無"},
        {"~Desk.Click(視窗代碼, 按鈕, X座標, Y座標, 次數)", "返回值:無"},
        {"~Desk.Wheel(視窗代碼, 格數, X座標, Y座標)", "返回值:無"},
        {"~Desk.Capture(視窗代碼, 檔名.png)", "返回值:無"},
        {"~Desk.Look(視窗代碼, 圖片檔名, 誤差值, 毫秒)", "返回值:有"},
        {"~Desk.FoundX()", "返回值:有"},
        {"~Desk.FoundY()", "返回值:有"},
        {"~Desk.Press(視窗代碼, 組合鍵)", "返回值:無"},
        {"~Desk.InsideX(視窗代碼)", "返回值:有"},
        {"~Desk.InsideY(視窗代碼)", "返回值:有"},
        {"~Desk.Arg(n)", "返回值:有"},
        {"~Desk.ArgCount()", "返回值:有"},
        {"~Desk.Run(命令)", "返回值:有"},
        {"~Desk.RunWait(命令, 毫秒)", "返回值:有"},
        {"~Desk.Kill(行程代碼)", "返回值:有"},
        {"~Desk.WaitClose(視窗代碼, 毫秒)", "返回值:有"},
        {"~Desk.Focused()", "返回值:有"},
        {"~Desk.At(X座標, Y座標)", "返回值:有"},
        {"~Desk.MouseX()", "返回值:有"},
        {"~Desk.MouseY()", "返回值:有"},
        {"~Desk.Monitors()", "返回值:有"},
        {"~Desk.MonitorX(n)", "返回值:有"},
        {"~Desk.MonitorY(n)", "返回值:有"},
        {"~Desk.MonitorWidth(n)", "返回值:有"},
        {"~Desk.MonitorHeight(n)", "返回值:有"},
        {"~Desk.Clipboard()", "返回值:有"},
        {"~Desk.SetClipboard(文字)", "返回值:無"},
        {"~Desk.Control(視窗代碼, 名稱)", "返回值:有"},
        {"~Desk.Text(視窗代碼)", "返回值:有"},
        {"~Desk.SetText(視窗代碼, 文字)", "返回值:無"},
        {"~Desk.Push(視窗代碼)", "返回值:無"},
    };
    EXPECT_EQ(CallForms(groups[7]), desk);
}

TEST(HelpDocument, EveryCharacterHasABig5Form) {
    // Glibc's plain Big5 table and its Windows code page 950 table differ in a few
    // symbols; the Windows program converts with the latter.
    for (const char* encoding : {"BIG5", "CP950"}) {
        std::string big5;
        EXPECT_TRUE(Convert(encoding, HelpDocument(), big5)) << encoding;
        std::size_t converted = big5.size();
        EXPECT_GT(converted, 18000u) << encoding;
    }
}

TEST_F(HelpExamples, EveryExampleLoadsWithNoBlockLeftOpen) {
    const std::vector<std::string> examples = Examples();
    // 21 sections are scripts as a whole; ten reference entries carry an example.
    EXPECT_EQ(examples.size(), 31u);
    for (const std::string& example : examples) ExpectLoads(example);
}

TEST_F(HelpExamples, EveryExampleLoadsInItsBig5Form) {
    // Copied from the Windows program's Help.txt, an example arrives as Big5 bytes.
    for (const std::string& example : Examples()) {
        std::string big5;
        ASSERT_TRUE(Convert("CP950", example, big5)) << example;
        ExpectLoads(big5);
    }
}

TEST(HelpDocument, GuideSectionsAreScriptsFromTheirFirstLine) {
    for (const Section& s : Sections()) {
        if (s.heading.ends_with("( 程式參考重點 )") || s.heading.ends_with("( 內建函式說明 )")) continue;
        EXPECT_TRUE(s.body.front().starts_with("'")) << s.heading;
    }
}

// An example run as it stands, with a probe line after it that prints what its comments
// promise, must print exactly that: the document stays true to the language.
struct Promise {
    std::string_view example;  // a section title or the start of an entry's call form
    std::string_view probe;
    std::string_view printed;
};

const Promise kGuidePromises[] = {
    {"開頭符號 $ 是全域變量", R"(~Dos.Print($b))", "Hello a = 11\n21"},
    {"支援多重陣列變量，後面需要加 []", R"(~Dos.Print($b))", "y\n200"},
    {"公開變量 $public. 不管全域變量和局部變量什麼都能通", "", "count = 2\n"},
    {"數學符號運算", R"(~Dos.Print($a))", "19"},
    {"條件判斷式", "", "a 大於 3\na 大於 3，不大於 10\n"},
    {"迴圈條件判斷式", R"(~Dos.Print($i " " $j))", "第 1 次\n第 2 次\n第 3 次\n3 2"},
    {"Break", "", "i = 5\n"},
    {"Continue", "", "1\n2\n4\n5\n"},
    {"執行條件判斷結果", "", "一定執行\n一定執行\n等於\n不等於\n小於\n大於\n小於或等於\n大於或等於\n"},
    {"GoTo 跳轉標籤", "", "i = 3\n"},
    {"Exit 離開主程式", R"(~Dos.Print("after Exit"))", "結束前\n"},
    {"#Import 進口插入腳本文件", "~Hello()\n~Dos.Print($n)", "寫模組名稱\n省略模組名稱\nHello\n3"},
    {"特殊字符", "", "第一行\n第二行\n回到行首\rA\tB\nC:\\Temp\n(括號)\n\"引號\"\n1,2,3\n"},
    {"'註解符號", R"(~Dos.Print($a))", "It's OK\n1"},
    {"16進位轉換10進位", R"(~Dos.Print($a " " $b " " $c " " $d))", "255 17 2147483647 -1"},
    {"使用 Def: ... End Def", "", "1 + 2 = 3\n"},
    {"Return 返回值", R"(~Dos.Print($x))", "7\n6"},
    {"符號 ~ 使用呼叫函數 Def:", "", "裡面 1\n外面\n"},
    {"類別 Class: ... End Class", R"(~Dos.Print($x " " $y))", "Hello\n3 7"},
    {"陣列 Array", R"(~Dos.Print($fruit.length))", "0: apple\n1: pear\n2: plum\n3"},
    {"File 說明", "", "第一行\n第二行\n"},
};

// Entries whose examples need nothing but the fake desktop; the native-call and image
// search examples need a real library, COM class or picture file.
const Promise kEntryPromises[] = {
    {"~Lib.MouseMsg(", "", ""},
    {"~Lib.KeybdMsg(", "", ""},
    {"~String.Split(", R"(~Dos.Print($str[0] " " $str[1] " " $str[2] " " $str))", "123 456 789 123|456|789"},
    // The fake's one monitor has no pixels: its centre is (0, 0).
    {"~Desk.MonitorHeight(", R"(~Dos.Print($n " " $x " " $y))", "2 0 0"},
    {"~Desk.SetClipboard(", R"(~Dos.Print($c))", "訂單 1024"},
};

std::string RunWithProbe(const std::string& example, std::string_view probe) {
    TestRun t;
    t.run(example + std::string(probe) + "\n");
    return t.out();
}

TEST_F(HelpExamples, GuideExamplesPrintWhatTheirCommentsPromise) {
    for (const Promise& p : kGuidePromises)
        EXPECT_EQ(RunWithProbe(GuideExample(p.example), p.probe), p.printed) << p.example;
    // The file section writes, then reads, then appends.
    EXPECT_EQ(ReadFile("test.txt"), "第一行\n第二行\n第三行\n");
}

TEST_F(HelpExamples, ReferenceExamplesRunOnTheFakeDesktop) {
    for (const Promise& p : kEntryPromises)
        EXPECT_EQ(RunWithProbe(EntryExample(p.example), p.probe), p.printed) << p.example;
}

// The HELP command as the program runs it, on a system with this ANSI code page.
class HelpCommand : public InTempDirectory {
protected:
    std::string WriteHelp(unsigned codePage) {
        TestRun t;
        t.fake.codePage.codePage = codePage;
        char program[] = "morrowlark", command[] = "Help";
        char* argv[] = {program, command, nullptr};
        t.guard([&] { RunMorrowlark(*t.in, 2, argv); });
        EXPECT_FALSE(t.ended) << t.out();
        return ReadFile("Help.txt");
    }
};

TEST_F(HelpCommand, WritesTheDocumentUnchangedOutsideSimplifiedChinese) {
    for (unsigned codePage : {950u, 1252u}) EXPECT_EQ(WriteHelp(codePage), HelpDocument()) << codePage;
}

TEST_F(HelpCommand, WritesTheSimplifiedFormOnASimplifiedChineseSystem) {
    // The fake conversion marks the text it was given instead of converting it.
    EXPECT_EQ(WriteHelp(936), "[simplified]" + std::string(HelpDocument()));
}

TEST_F(HelpCommand, WritesTheSameFormWhateverTheDisplayLanguage) {
    for (const char* setting : {"Language = English", "Language = Chinese"}) {
        WriteFile("Language.ini", setting);
        EXPECT_EQ(WriteHelp(936), "[simplified]" + std::string(HelpDocument())) << setting;
        EXPECT_EQ(WriteHelp(950), HelpDocument()) << setting;
    }
}

}  // namespace ml
