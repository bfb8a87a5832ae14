#include <gtest/gtest.h>

#include "core/statement.h"
#include "test_run.h"

namespace ml {

namespace {
// The marker byte, written as a visible character in expectations.
std::string M(std::string text) {
    for (char& c : text)
        if (c == '@') c = '\x07';
    return text;
}
}  // namespace

TEST(NormalForm, BlanksCaseMarkersAndComments) {
    TestRun t;
    t.load("$Name = $A + 1   ' a comment\n"
           "~Dos.Print(\"  \\x0a  \")\n"
           "~Dos.Print($X, 0x1F)\n"
           "$a[$i + 1] = 5\n"
           "Cmp ($a > 1)\n"
           "Cmp ()\n"
           "End\n"
           "End\n"
           "' only a comment\n"
           "$s = \"It's \tA\" 'x\n");
    ASSERT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.entry(0), M("@$name=@$a+1"));
    EXPECT_EQ(t.entry(1), M("@~dos.print(@\"  \\x0a  @\")"));
    EXPECT_EQ(t.entry(2), M("@~dos.print(@$x,31)"));
    EXPECT_EQ(t.in->program.hasCall[2], 1);
    EXPECT_EQ(t.in->program.hasBracket[2], 0);
    EXPECT_EQ(t.entry(3), M("@$a[@$i+1]=5"));
    EXPECT_EQ(t.in->program.hasBracket[3], 1);
    EXPECT_EQ(t.entry(4), M("cmp(@$a>1)"));
    EXPECT_EQ(t.entry(5), "cmp(1)");
    EXPECT_EQ(t.entry(8), "");
    EXPECT_EQ(t.entry(9), M("@$s=@\"It's \tA@\""));
    EXPECT_EQ(t.in->program.entryCount, 10);
}

TEST(NormalForm, HexadecimalLiteralsOnlyInLowerCase) {
    TestRun t;
    t.load("$a = 0x10 + 0XFF\n$v0x1 = 2\n$b = 0xFFFFFFFF + 0x\n$c = \"0x10\"\n");
    EXPECT_EQ(t.entry(0), M("@$a=16+0xff"));
    EXPECT_EQ(t.entry(1), M("@$v1=2"));
    EXPECT_EQ(t.entry(2), M("@$b=-1+0"));
    EXPECT_EQ(t.entry(3), M("@$c=@\"0x10@\""));
}

TEST(NormalForm, LinesThatGrowTheMost) {
    // Past the "=" each of these doubles or nearly doubles in the normal form.
    TestRun t;
    t.load("$v=$$$$$$\n$v=0x80000000-0x80000000\n$v=\"\"\"\"\n");
    ASSERT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.entry(0), M("@$v=@$@$@$@$@$@$"));
    EXPECT_EQ(t.entry(1), M("@$v=-2147483648--2147483648"));
    EXPECT_EQ(t.entry(2), M("@$v=@\"@\"@\"@\""));
}

TEST(Loader, SyntaxErrorsShowTheSourceAsFarAsItWasLowered) {
    TestRun t;
    t.load("$A = (1 + 2)) + B\n");
    EXPECT_TRUE(t.ended);
    EXPECT_EQ(t.out(), Report(1, "The symbol deletion and unusual", "$a = (1 + 2)) + B\n"));
    EXPECT_EQ(t.fake.console.log.back(), "pause");
}

TEST(Loader, EachCheckReportsItsMessage) {
    struct Case {
        const char* script;
        std::string report;
    } cases[] = {
        {"$a = \"open\n", Report(1, "The symbol deletion and unusual", "$a = \"open\n")},
        {"~Print((1 + 2 \"x\")\n", Report(1, "The symbol deletion and unusual", "~print((1 + 2 \"x\")\n")},
        {"\n:\n", Report(2, "Deletions and unusual", ":\n")},
        {"$a\n", Report(1, "No equal sign: =", "$a\n")},
        {"$a b-c! = 1\n", Report(1, "Variable exception error: $a b-c! ", "$a b-c! = 1\n")},
        {"$(1).array\n", Report(1, "Array exception error", "$(1).array\n")},
        {"$s(1)(2).array\n", Report(1, "The symbol deletion and unusual", "$s(1)(2).array\n")},
        {"ElCmp (1)\n", Report(1, "ElCmp -> Cmp", "Can not find: Cmp")},
        {"End\n", Report(1, "End -> Cmp", "Can not find: Cmp")},
        {"Loop\n", Report(1, "Loop -> Cmp", "Can not find: Cmp")},
        {"Break\n", Report(1, "Break -> Please change the correct: Cmp ... (Break) ... Loop", "")},
        {"Continue\n", Report(1, "Continue -> Please change the correct: Cmp ... (Continue) ... Loop", "")},
        {"Cmp 1\n", Report(1, "The symbol deletion and unusual", "cmp 1\n")},
        {"Class: A\nClass: B\n", Report(2, "Class: -> End Class", "Can not find: End Class")},
        {"Cmp (1)\nClass: A\n", Report(2, "Class:", "Structure error: Cmp ... (Class:) ... End & Loop")},
        {"Def: f()\nClass: A\n", Report(2, "Class:", "Structure error: Def: ... (Class:) ... End Def")},
        {"Class: A-B\n", Report(1, "Class exception error", "class: a-b\n")},
        {"End Class\n", Report(1, "End Class -> Class:", "Can not find: Class:")},
        {"Class: A\nDef: f()\nEnd Class\n", Report(3, "End Class", "Structure error: Def: ... (End Class) ... End Def")},
        {"Cmp (1)\nDef: f()\n", Report(2, "Def:", "Structure error: Cmp ... (Def:) ... End & Loop")},
        {"Def: f()\nDef: g()\n", Report(2, "Def: -> End Def", "Can not find: End Def")},
        {"Def: f-g()\n", Report(1, "Function exception error", "def: f-g()\n")},
        {"Def: f($a,,$b)\n", Report(1, "Not joined parameter definition", "def: f($a,,$b)\n")},
        {"Def: f()\nCmp (1)\nEnd Def\n", Report(3, "End Def", "Structure error: Cmp ... (End Def) ... End & Loop")},
        {"End Def\n", Report(1, "End Def -> Def:", "Can not find: Def:")},
        {"Return 1\n", Report(1, "Return -> Need to insert within the return value: Def: ... (Return) ... End Def", "return 1\n")},
        {"GoTo\n", Report(1, "There is not label", "goto\n")},
        {"GoTo a-b\n", Report(1, "Label exception error", "goto a-b\n")},
        {"Class: A\n$a = 1\n", Report(2, "Class prohibit instruction", "$a = 1\n")},
        {"#Import <net>\n", Report(1, "The symbol deletion and unusual", "#import <net>\n")},
        {"#Import \"missing.txt\"\n", Report(1, "Can not find file path", "#import \"missing.txt\"\n")},
        {"~A().new\n", Report(1, "Class exception error", "~a().new\n")},
        {":Main\n:Main\n", Report(2, "Have the same name", ":main\n")},
        {"Class: A\nEnd Class\nClass: A\n", Report(3, "Have the same name", "class: a\n")},
        {"Def: f($a)\nEnd Def\nDef: f($a)\n", Report(3, "Have the same name", "def: f($a)\n")},
        {"Exit 256\n", Report(1, "Exit status must be a whole number from 0 to 255", "exit 256\n")},
        {"Exit -1\n", Report(1, "Exit status must be a whole number from 0 to 255", "exit -1\n")},
        {"Exit +3\n", Report(1, "Exit status must be a whole number from 0 to 255", "exit +3\n")},
        {"Exit 1.5\n", Report(1, "Exit status must be a whole number from 0 to 255", "exit 1.5\n")},
        {"Exit 3x\n", Report(1, "Exit status must be a whole number from 0 to 255", "exit 3x\n")},
        {"Exit 99999999999999999999\n", Report(1, "Exit status must be a whole number from 0 to 255", "exit 99999999999999999999\n")},
    };
    for (const Case& c : cases) {
        TestRun t;
        t.load(c.script);
        EXPECT_TRUE(t.ended) << c.script;
        EXPECT_EQ(t.out(), c.report) << c.script;
    }
}

// A read takes any expression as an index, so an assignment's target does too; its
// name outside the brackets keeps the name's characters.
TEST(Loader, AnAssignmentsIndicesTakeAnyExpression) {
    for (const char* line : {"$a[$k % 2] = 1\n", "$a[$k ^ 2][\"Bob\"] = 1\n", "$a[~Len(\"ab\")] = 1\n"}) {
        TestRun t;
        t.load(line);
        EXPECT_FALSE(t.ended) << line << t.out();
    }
    TestRun name;
    name.load("$a%b[1] = 1\n");
    EXPECT_EQ(name.out(), Report(1, "Variable exception error: $a%b[1] ", "$a%b[1] = 1\n"));
    TestRun after;
    after.load("$a[1]%2 = 1\n");
    EXPECT_EQ(after.out(), Report(1, "Variable exception error: $a[1]%2 ", "$a[1]%2 = 1\n"));
}

TEST(Loader, SeventeenthOpenCmpIsReportedAtLineMinusOne) {
    std::string script;
    for (int i = 0; i < 16; ++i) script += "Cmp (1)\n";
    std::string ends;
    for (int i = 0; i < 16; ++i) ends += "End\n";
    TestRun deep;
    deep.load(script + ends);
    EXPECT_FALSE(deep.ended);
    TestRun tooDeep;
    tooDeep.load(script + "Cmp (2)\n");
    EXPECT_EQ(tooDeep.out(), Report(-1, "Cmp 16 count memory, has exceeded the maximum value.", "cmp (2)\n"));
}

TEST(Loader, FunctionsClassesLabelsAndGoToAreRewritten) {
    TestRun t;
    t.load("#Import <STRING>\n"
           ":Again\n"
           "Class: Calc\n"
           "Def: Add($a, $B)\n"
           ":Again\n"
           "GoTo Again\n"
           "Return $a + 1\n"
           "Return\n"
           "End Def\n"
           "' a comment at class level\n"
           "End Class\n"
           "Def: Add($a, $b)\n"
           "End Def\n"
           "Def: Third()\n"
           "GoTo Again\n"
           "End Def\n"
           "~J(Calc).new\n");
    ASSERT_FALSE(t.ended) << t.out();
    EXPECT_TRUE(t.in->loader.moduleImported[static_cast<std::size_t>(Module::String)]);
    EXPECT_EQ(t.entry(0), "");
    EXPECT_EQ(t.entry(1), ":100again");
    EXPECT_EQ(t.entry(3), M("def:calc.add(@$a,@$b)"));
    EXPECT_EQ(t.entry(4), ":101again");
    EXPECT_EQ(t.entry(5), "goto 101again");
    EXPECT_EQ(t.entry(6), M("return @$a+1"));
    EXPECT_EQ(t.entry(7), "return ");
    EXPECT_EQ(t.entry(11), M("def:add(@$a,@$b)"));
    EXPECT_EQ(t.entry(14), "goto 103again");
    const LoaderState& L = t.in->loader;
    ASSERT_EQ(L.functionCount(), 3u);
    EXPECT_EQ(L.defEntry[0], 3);
    EXPECT_EQ(L.endDefEntry[0], 8);
    EXPECT_EQ(L.labelCount(), 2u);
    EXPECT_EQ(L.classNames.at(0), "calc");
}

TEST(Loader, LoadingStopsAtTheFirstEntryPastTheTableWhichIsNeverStored) {
    std::string script = "Cmp (1)\n";
    for (int i = 0; i < kMaxEntries + 500; ++i) script += "$a = 1\n";
    TestRun t;
    t.load(script);
    EXPECT_FALSE(t.ended);   // the open block is not reported: the limit will be
    EXPECT_EQ(t.in->program.entryCount, kMaxEntries + 1);
    EXPECT_EQ(t.in->program.texts.size(), static_cast<std::size_t>(kMaxEntries));
    t.guard([&] { FinishLoading(*t.in); });
    EXPECT_EQ(t.out(), Report(-1, "Ranks of memory, has exceeded the maximum value.", ""));
}

// A row that is tried before another must not take the other's lines, or the later
// statement could never load, run or decode: every word belongs to its own row alone.
TEST(StatementTable, EachWordBelongsToItsOwnRow) {
    const std::span<const Statement> rows = Statements();
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(rows.back().prefix && rows.back().word.empty()) << "the last row takes any other line";
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        const std::string word(rows[i].word);
        EXPECT_EQ(StatementIndex(word), i) << "'" << word << "'";
        EXPECT_EQ(StatementIndex(word + "x"), rows[i].prefix ? i : rows.size() - 1) << "'" << word << "x'";
    }
    EXPECT_EQ(StatementIndex("print"), rows.size() - 1);
}

TEST(BlockMatching, BranchesPointToTheirSuccessors) {
    TestRun t;
    t.load("Cmp ($a > 1)\n$b=1\nElCmp ($a > 0)\n$b=2\nEnd\n"
           "Cmp ($i < 10)\nCmp ($i > 5)\nEnd\nElCmp ()\nLoop\n");
    PairBlocks(*t.in);
    const auto& J = t.in->program.successors;
    EXPECT_EQ(J[0], 2);
    EXPECT_EQ(J[2], 4);
    EXPECT_EQ(J[4], 0);
    EXPECT_EQ(J[5], 8);
    EXPECT_EQ(J[6], 7);
    EXPECT_EQ(J[8], 9);
    EXPECT_EQ(J[9], 5);
}

}  // namespace ml

namespace ml {
namespace {

// The entries a script file loads into, read through the program's own load path.
std::vector<std::string> LoadedFrom(const std::string& bytes) {
    TestRun t;
    std::string served = bytes;
    FakeFile file(served);
    t.guard([&] { LoadStream(*t.in, file); });
    return {t.in->program.texts.begin(), t.in->program.texts.end()};
}

TEST(LoadStream, AByteOrderMarkIsNoPartOfTheFirstLine) {
    // A first line longer than a piece is split where it would be without the mark.
    for (const std::string& first : {std::string("$a = 1"), "$b = \"" + std::string(260, 'x') + "\""}) {
        const std::string script = first + "\n~Dos.Print($a)\n";
        EXPECT_EQ(LoadedFrom("\xEF\xBB\xBF" + script), LoadedFrom(script));
    }
    // Only at the start of the file.
    EXPECT_NE(LoadedFrom("$a = 1\n\xEF\xBB\xBF$a = 1\n"), LoadedFrom("$a = 1\n$a = 1\n"));
}
}  // namespace
}  // namespace ml
