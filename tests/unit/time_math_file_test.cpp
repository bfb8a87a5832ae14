#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/variables.h"
#include "builtins/builtin_modules.h"
#include "builtins/time_state.h"
#include "test_run.h"

namespace ml {

namespace {

// A fresh directory per test; scripts name their files by absolute path in it.
class FileModule : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override {
        dir = std::filesystem::path(::testing::TempDir()) /
              ("ml_file_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string path(std::string_view name) const { return (dir / name).string(); }
    std::string bytes(std::string_view name) const {
        std::ifstream file(path(name), std::ios::binary);
        std::ostringstream all;
        all << file.rdbuf();
        return all.str();
    }
    void make(std::string_view name, std::string_view content) const {
        std::ofstream(path(name), std::ios::binary) << content;
    }
};

}  // namespace

TEST(TimeModule, OurGeneratorDrawsTheSameNumbersOnEveryBuild) {
    RandomState random;
    random.seed(1);
    EXPECT_EQ(random.draw(), 16838);
    random.seed(1700000000);
    EXPECT_EQ(random.draw(), 7723);
    EXPECT_EQ(random.draw(), 25667);
}

TEST(TimeModule, EveryFieldComesFromTheClocksLocalTime) {
    TestRun t;
    t.fake.clock.local = {1999, 12, 31, 5, 23, 59, 58};
    t.run("~Dos.Print(~Time.Year() \"-\" ~Time.Month() \"-\" ~Time.Day() \" \" ~Time.Week() \" \" ~Time.Hour() \":\" "
          "~Time.Minute() \":\" ~Time.Second())\n");
    EXPECT_EQ(t.out(), "1999-12-31 5 23:59:58");
}

TEST(TimeModule, ClockCountsWholeMillisecondsSinceTheInterpreterWasMade) {
    // Each interpreter is made while the fake steady clock stands at 0.
    TestRun justUnder;
    justUnder.fake.clock.steady = 1'999'999;
    EXPECT_EQ(justUnder.run("~Dos.Print(~Time.Clock())\n").out(), "1");
    TestRun days;
    days.fake.clock.steady = 3 * 86'400'000'000'000 + 5;
    EXPECT_EQ(days.run("~Dos.Print(~Time.Clock())\n").out(), "259200000");
    TestRun later;
    later.fake.clock.steady = 7'000'000;
    later.in = std::make_unique<Interp>(later.fake.platform, Modules());
    later.fake.clock.steady = 9'500'000;
    EXPECT_EQ(later.run("~Dos.Print(~Time.Clock())\n").out(), "2");
}

// Every call reseeds from the clock's second, so two calls in one second draw alike.
TEST(TimeModule, RandDrawsFromTheSecondOfTheClock) {
    TestRun t;
    t.fake.clock.seconds = 1709214330;
    EXPECT_EQ(t.run("~Dos.Print(~Time.Rand(1000) \" \" ~Time.Rand(1000) \" \" ~Time.Rand(7))\n").out(), "360 360 0");
}

TEST(TimeModule, RandIsAModulusAndZeroIsReported) {
    EXPECT_EQ(Printed("~Dos.Print(~Time.Rand(1) ~Time.Rand(-1))\n"), "00");
    TestRun range;
    range.run("$r = ~Time.Rand(-3)\n");
    const std::string r = ValueText(*range.in, 0);
    EXPECT_TRUE(r == "0" || r == "1" || r == "2") << r;
    TestRun zero;
    zero.run("$r = ~Time.Rand(\"abc\")\n");
    EXPECT_EQ(zero.out(), Report(1, "Random number range error: abc", "\x07$r=\x07~time.rand(\x07\"abc\x07\")"));
}

TEST(TimeModule, ImportedTimeSnapshotsOnEveryCallThatReachesItsStep) {
    const std::string script = "Def: f()\nEnd Def\n~f()\n";
    TestRun plain;
    plain.run(script);
    EXPECT_EQ(TimeStateOf(*plain.in).now.year, 0);
    TestRun imported;
    imported.run("#Import <time>\n" + script + "Cmp (~Clock() < 10000)\n~Dos.Print(1)\nEnd\n");
    EXPECT_GT(TimeStateOf(*imported.in).now.year, 1999);
    EXPECT_EQ(imported.out(), "1");
}

TEST(MathModule, ResultsCarrySixDecimalsAtMost) {
    EXPECT_EQ(Printed("$Color = 1310740\n$PosY = ~Math.Floor($Color / 65536)\n"
                      "~Dos.Print(~Math.Sqrt(2) \" \" ~Math.Floor(3.7) \" \" ~Math.Abs(-2.5) \" \" ~Math.Exp(-20) \" \" "
                      "~Math.Sin(-0.0000001) \" \" ~Math.Ceil(1.2) \" \" ~Math.Floor(-1.2) \" \" $PosY)\n"
                      "~Dos.Print(\" \" ~Math.Log(1) ~Math.Cos(0) ~Math.Tan(0) \" \" ~Math.Exp(1))\n"),
              "1.414214 3 2.5 0 -0 2 -2 20 010 2.718282");
}

TEST(MathModule, ResultsThatAreNoValueAreReported) {
    EXPECT_EQ(Printed("~Dos.Print(~String.Len(~Math.Exp(587)) \" \" ~String.Len(~Math.Floor(\"-2e253\")))\n"),
              "255 255");
    for (const char* bad : {"Sqrt(-1)", "Log(0)", "Exp(1000)", "Exp(588)", "Floor(\"-2e254\")"}) {
        TestRun t;
        t.run(std::string("$x = ~Math.") + bad + "\n");
        std::string argument = std::string(bad).substr(std::string(bad).find('(') + 1);
        argument.pop_back();
        std::erase(argument, '"');
        EXPECT_NE(t.out().find("Message: Math domain or range error: " + argument + "\n"), std::string::npos) << t.out();
    }
}

TEST(ServedFiles, ScriptsImportReadAndWriteTheFilesThePlatformServes) {
    TestRun t;
    t.fake.files.served["tools.txt"] = "Def: Hi()\n~Dos.Print(\"hi \")\nEnd Def\n";
    t.fake.files.served["notes.txt"] = "one\r\ntwo";
    t.fake.files.served["out.txt"] = "old";
    t.run("#Import \"tools.txt\"\n~Hi()\n~File.Open(\"notes.txt\", \"r\")\n"
          "$a = ~File.Read()\n$b = ~File.Read()\n~Dos.Print(~File.Exists(\"notes.txt\") $a \"|\" $b \"|\" ~File.Eof())\n"
          "~File.Open(\"out.txt\", \"w\")\n~File.Write(\"new\" \"\\x0a\")\n~File.Close(\"w\")\n");
    EXPECT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.out(), "hi 1one|two|1");
    EXPECT_EQ(t.fake.files.served["out.txt"], "new\n");
}

TEST_F(FileModule, WriteAppendReadAndEof) {
    const std::string f = path("out.txt");
    TestRun t;
    t.run("~File.Open(\"" + f + "\", \"w\")\n~File.Write(\"a\" \"\\x0a\")\n~File.Write(\"b\")\n~File.Close(\"w\")\n"
          "~File.Open(\"" + f + "\", \"a\")\n~File.AddWrite(\"c\")\n~File.Close(\"a\")\n"
          "~Dos.Print(~File.Exists(\"" + f + "\") ~File.Exists(\"" + path("none") + "\") ~File.Exists(\"" + dir.string() + "\"))\n"
          "~File.Open(\"" + f + "\", \"r\")\n$l = ~File.Read()\n~Dos.Print(\"|\" $l \",\" ~File.Eof())\n"
          "$l = ~File.Read()\n~Dos.Print(\"|\" $l \",\" ~File.Eof())\n$l = ~File.Read()\n~Dos.Print(\"|\" $l \",\" ~File.Eof())\n");
    EXPECT_EQ(bytes("out.txt"), "a\nbc");
    EXPECT_EQ(t.out(), "100|a,0|bc,1|,1");
}

TEST_F(FileModule, EofIsSetOnlyByTheReadAfterTheLastLineEnd) {
    make("in.txt", "x\r\n1+2\n");
    EXPECT_EQ(Printed("~File.Open(\"" + path("in.txt") + "\", \"r\")\n~Dos.Print(~File.Eof())\n"
                      "$a = ~File.Read()\n$b = ~File.Read()\n~Dos.Print($a \",\" $b \",\" ~File.Eof())\n"
                      "$c = ~File.Read()\n~Dos.Print(\"[\" $c \"]\" ~File.Eof())\n"),
              "0x,1+2,0[]1");
}

TEST_F(FileModule, ReadValuesKeepEveryByteEvenInsideOtherCalls) {
    // Quotes, commas, comparisons and escapes read from a file are text, never syntax.
    const std::string line = "f(\"a,b\") <x> == \\x41 \\\n";
    make("in.txt", line + line + line + line);
    EXPECT_EQ(Printed("~File.Open(\"" + path("in.txt") + "\", \"r\")\n~Dos.Print(~String.Len(~File.Read()) \"|\" ~File.Read())\n"
                      "Cmp (~File.Read() == ~File.Read())\n~Dos.Print(\"|same\")\nEnd\n"),
              "22|f(\"a,b\") <x> == \\x41 \\|same");
}

TEST_F(FileModule, LongLinesComeInPiecesThatFitAValue) {
    make("in.txt", std::string(300, 'a') + "\n" + std::string(100, '"') + "\nend");
    EXPECT_EQ(Printed("~File.Open(\"" + path("in.txt") + "\", \"r\")\n"
                      "Cmp (~File.Eof() == 0)\n~Dos.Print(~String.Len(~File.Read()) \",\")\nLoop\n"),
              "251,49,62,38,3,");
}

TEST_F(FileModule, LineEndSaysWhetherTheLastReadEndedItsLine) {
    make("in.txt", std::string(300, 'a') + "\n\nlast");
    const std::string show = "$p = ~File.Read()\n~Dos.Print(~String.Len($p \"\") ~File.LineEnd() ~File.Eof() \",\")\n";
    EXPECT_EQ(Printed("~Dos.Print(~File.LineEnd())\n~File.Open(\"" + path("in.txt") + "\", \"r\")\n" + show + show +
                      show + show + "~File.Close(\"r\")\n~Dos.Print(~File.LineEnd())\n"),
              "125100,4910,010,411,1");
}

TEST_F(FileModule, PiecesOfUtf8TextEndBetweenCharacters) {
    // 100 three-byte characters: 251 bytes would cut the 84th, so the piece stops
    // before it. With quotes in front, each taking four bytes of the value's room, the
    // cut comes sooner and is moved back the same way.
    std::string chinese;
    for (int i = 0; i < 100; ++i) chinese += "\xE6\xBC\xA2";
    make("in.txt", chinese + "\n" + std::string(10, '"') + chinese);
    const std::string show = "$p = ~File.Read()\n~Dos.Print(~String.Len($p \"\") ~File.LineEnd() \",\")\n";
    EXPECT_EQ(Printed("~File.Open(\"" + path("in.txt") + "\", \"r\")\n" + show + show + show + show),
              "2490,511,2200,901,");
    // The pieces, written one after the other, give the file back.
    const std::string copy = path("copy.txt");
    TestRun t;
    t.run("~File.Open(\"" + path("in.txt") + "\", \"r\")\n~File.Open(\"" + copy + "\", \"w\")\n"
          "Cmp (~File.Eof() == 0)\n$p = ~File.Read()\n~File.Write($p \"\")\n"
          "Cmp (~File.LineEnd() == 1)\nCmp (~File.Eof() == 0)\n~File.Write(\"\\x0a\")\nEnd\nEnd\nLoop\n~File.Close(\"w\")\n");
    EXPECT_EQ(bytes("copy.txt"), bytes("in.txt"));
}

TEST_F(FileModule, HandlesWithoutAnOpenFileAreHarmless) {
    EXPECT_EQ(Printed("~Dos.Print(\"[\" ~File.Read() \"]\" ~File.Eof())\n~File.Write(\"x\")\n~File.AddWrite(\"y\")\n"
                      "~File.Close(\"r\")\n~File.Close(\"w\")\n~File.Close(\"w\")\n"),
              "[]1");
}

// The message of the report that ended a run, or empty when none did.
std::string FatalMessage(const std::string& script) {
    TestRun t;
    t.run(script);
    const std::size_t at = t.out().find("Message: ");
    return at == std::string::npos ? "" : t.out().substr(at + 9, t.out().find('\n', at) - at - 9);
}

TEST_F(FileModule, DataThatCannotReachItsFileIsFatal) {
    const std::string missing = path("no/dir.txt");
    EXPECT_EQ(FatalMessage("~File.Open(\"" + missing + "\", \"w\")\n"), "Can not open file for writing: " + missing);
    EXPECT_EQ(FatalMessage("~File.Open(\"" + missing + "\", \"a\")\n"), "Can not open file for writing: " + missing);
    EXPECT_EQ(FatalMessage("~File.Open(\"" + dir.string() + "\", \"w\")\n"), "Can not open file for writing: " + dir.string());
    // A full device takes the bytes into the stream's buffer and refuses them when it is
    // emptied: at the close, or at the end of the run for a file left open.
    EXPECT_EQ(FatalMessage("~File.Open(\"/dev/full\", \"w\")\n~File.Write(\"x\")\n~File.Close(\"w\")\n"),
              "Can not write file: /dev/full");
    TestRun leftOpen;
    leftOpen.run("~File.Open(\"/dev/full\", \"a\")\n~File.AddWrite(\"x\")\n");
    EXPECT_FALSE(leftOpen.ended);
    leftOpen.guard([&] { CloseFiles(*leftOpen.in); });
    EXPECT_NE(leftOpen.out().find("Message: Can not write file: /dev/full\n"), std::string::npos);
}

TEST_F(FileModule, OneFileIsNotOpenForWritingAndAppendingAtOnce) {
    const std::string f = path("two.txt");
    EXPECT_EQ(FatalMessage("~File.Open(\"" + f + "\", \"w\")\n~File.Open(\"" + dir.string() + "/./two.txt\", \"a\")\n"),
              "File is already open for writing: " + dir.string() + "/./two.txt");
    EXPECT_EQ(FatalMessage("~File.Open(\"" + f + "\", \"a\")\n~File.Open(\"" + f + "\", \"w\")\n"),
              "File is already open for writing: " + f);
    // Once one is closed the other mode may open it, and both texts are kept.
    Printed("~File.Open(\"" + f + "\", \"w\")\n~File.Write(\"1\")\n~File.Close(\"w\")\n~File.Open(\"" + f +
            "\", \"a\")\n~File.AddWrite(\"2\")\n~File.Close(\"a\")\n");
    EXPECT_EQ(bytes("two.txt"), "12");
}

TEST_F(FileModule, ReopeningAModeClosesTheFileOpenedBefore) {
    const std::string f = path("out.txt");
    Printed("~File.Open(\"" + f + "\", \"w\")\n~File.Write(\"first\")\n~File.Open(\"" + f + "\", \"w\")\n"
            "~File.Write(\"2\")\n~File.Close(\"w\")\n");
    EXPECT_EQ(bytes("out.txt"), "2");
}

TEST_F(FileModule, ModeAndMissingFileErrors) {
    TestRun missing;
    missing.run("~File.Open(\"missing.txt\", \"r\")\n");
    EXPECT_EQ(missing.out(), Report(1, "File not found: missing.txt",
                                    "\x07~file.open(\x07\"missing.txt\x07\",\x07\"r\x07\")"));
    TestRun open;
    open.run("~File.Open(\"" + path("x.txt") + "\", \"R\")\n");
    EXPECT_NE(open.out().find("Message: File mode error: R\n"), std::string::npos) << open.out();
    TestRun close;
    close.run("~File.Close(\"x\")\n");
    EXPECT_EQ(close.out(), Report(1, "File mode error: x", "\x07~file.close(\x07\"x\x07\")"));
    TestRun position;
    position.run("$x = ~File.Close(\"r\")\n");
    EXPECT_NE(position.out().find("Message: Prohibit the return value of the data: ~file.close\n"), std::string::npos);
}

}  // namespace ml
