// --check: every load error at its place, and each trap warned of on the lines where
// it happens and on no other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/script_check.h"
#include "test_run.h"

namespace ml {
namespace {

// The findings of a script, each as --check prints it; imports are served by name.
std::vector<std::string> Check(std::string_view script, const std::map<std::string, std::string>& imports = {}) {
    TestRun run;
    for (const auto& [name, text] : imports) run.fake.files.served[name] = text;
    std::string bytes(script);
    FakeFile file(bytes);
    std::vector<std::string> lines;
    for (const Finding& finding : CheckScript(*run.in, file, "s.txt")) lines.push_back(FindingLine(finding));
    return lines;
}

// The codes of the findings of one line, in order.
std::string Codes(std::string_view script) {
    std::string codes;
    for (const std::string& line : Check(script)) codes += line.substr(line.rfind('[')) ;
    return codes;
}

TEST(CheckLoadErrors, EveryLoadErrorIsReportedAtItsLine) {
    const auto lines = Check("End\n$a = (1\nLoop\nCmp ($a)\nDef: F(\nbreak\n");
    const std::vector<std::string> expected = {
        "s.txt:1:1: error: End -> Cmp: Can not find: Cmp [ML100]",
        "s.txt:2:1: error: The symbol deletion and unusual: $a = (1 [ML100]",
        "s.txt:3:1: error: Loop -> Cmp: Can not find: Cmp [ML100]",
        "s.txt:4:1: error: Cmp -> End & Loop: Can not find: End & Loop [ML100]",
        "s.txt:5:1: error: The symbol deletion and unusual: def: f( [ML100]",
    };
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5), expected);
}

TEST(CheckLoadErrors, AnImportedFilesErrorsNameThatFile) {
    const auto lines = Check("#Import \"lib.txt\"\nEnd\n", {{"lib.txt", "$x = 1\nLoop\n"}});
    const std::vector<std::string> expected = {"lib.txt:2:1: error: Loop -> Cmp: Can not find: Cmp [ML100]",
                                               "s.txt:2:1: error: End -> Cmp: Can not find: Cmp [ML100]"};
    EXPECT_EQ(lines, expected);
}

TEST(CheckLoadErrors, AScriptWithoutFindingsGivesNone) {
    EXPECT_TRUE(Check("#Import <dos>\n$a = 1\nCmp ($a == 1)\n  ~Print(\"one\\x0a\")\nEnd\n").empty());
}

TEST(CheckConditions, LogicalOperators) {
    EXPECT_EQ(Check("$n = 1\nCmp ($n > 5 && $n < 10)\nEnd\n"),
              std::vector<std::string>{"s.txt:2:13: warning: && is no operator: the condition is split at each "
                                       "comparison, the last one decides, and the rest is read as values; put one "
                                       "Cmp inside another instead [ML101]"});
    EXPECT_EQ(Codes("$n = 1\nCmp ($n > 5 || $n < 0)\nEnd\n"), "[ML101]");
    EXPECT_EQ(Codes("$n = \"a\"\nCmp ($n == \"a&&b\")\nEnd\n"), "");
}

TEST(CheckConditions, SingleEqual) {
    EXPECT_EQ(Check("$a = 1\nCmp ($a = 1)\nEnd\n"),
              std::vector<std::string>{"s.txt:2:9: warning: a single = is no comparison: the condition always "
                                       "holds; write == to compare [ML102]"});
    for (const char* fine : {"Cmp ($a == 1)", "Cmp ($a >= 1)", "Cmp ($a <= 1)", "Cmp ($a)", "Cmp (\"a=b\" $a)"})
        EXPECT_EQ(Codes(std::string("$a = 1\n") + fine + "\nEnd\n"), "") << fine;
}

TEST(CheckConditions, ComparisonInsideQuotes) {
    EXPECT_EQ(Check("$v = 1\nCmp ($v == \"a>b\")\nEnd\n"),
              std::vector<std::string>{"s.txt:2:14: warning: a > inside quotes still splits the condition there; "
                                       "write \\x3e instead [ML103]"});
    EXPECT_EQ(Codes("$v = 1\nCmp ($v == \"a<b\")\nEnd\n"), "[ML103]");
    // A literal that a call takes is gone before the condition is split.
    EXPECT_EQ(Codes("#Import <string>\n$v = 1\nCmp (~Len(\"a>b\") == 3)\nEnd\n"), "");
    EXPECT_EQ(Codes("$v = 1\nCmp ($v == \"a\\x3eb\")\nEnd\n"), "");
}

TEST(CheckConditions, EmptyText) {
    EXPECT_EQ(Check("$x = 1\nCmp ($x == \"\")\nEnd\n"),
              std::vector<std::string>{"s.txt:2:12: warning: an empty value reads as 0, so it never equals \"\"; "
                                       "compare \"s\" $x == \"s\" instead [ML104]"});
    EXPECT_EQ(Codes("$x = 1\nCmp (\"\" <> $x)\nEnd\n"), "[ML104]");
    EXPECT_EQ(Codes("$x = 1\nCmp (\"s\" $x == \"s\")\nEnd\n"), "");
}

TEST(CheckConditions, TextOfOperators) {
    EXPECT_EQ(Codes("$c = 1\nCmp ($c == \"/\")\nEnd\n"), "[ML105]");
    EXPECT_EQ(Codes("$c = 1\nCmp ($c == \"1/2\")\nEnd\n"), "[ML105]");
    for (const char* fine : {"Cmp (\"s\" $c == \"s/\")", "Cmp ($c == \"-5\")", "Cmp ($c == \"2.5\")",
                             "Cmp ($c == \"a/b\")"})
        EXPECT_EQ(Codes(std::string("$c = 1\n") + fine + "\nEnd\n"), "") << fine;
}

TEST(CheckValues, VariableBeforeCall) {
    const std::string head = "#Import <string>\n$w = \"ab\"\n$out = \"\"\n";
    EXPECT_EQ(Check(head + "$out = $out ~Reverse($w)\n"),
              std::vector<std::string>{"s.txt:4:13: warning: the call's value is pasted against the variable "
                                       "before it: where it begins with a lower-case letter, a digit, _ or ., it "
                                       "is read as part of the name; put \"\" between them [ML106]"});
    EXPECT_EQ(Codes(head + "$out = $out~Reverse($w)\n"), "[ML106]");
    EXPECT_EQ(Codes(head + "$out = $out \"\" ~Reverse($w)\n"), "");
    EXPECT_EQ(Codes(head + "$out = ~Reverse($w) $out\n"), "");
    EXPECT_EQ(Codes(head + "$out = \"$out ~Reverse($w)\"\n"), "");
}

TEST(CheckValues, OperatorsBesideText) {
    EXPECT_EQ(Check("#Import <dos>\n~Print(\"sum \" 2 + 3)\n"),
              std::vector<std::string>{"s.txt:2:17: warning: beside a quoted text the operator is not computed but "
                                       "joined as written; compute the number into a variable of its own first, "
                                       "or quote the operator where you mean the text [ML107]"});
    EXPECT_EQ(Codes("$at = 1\n$s = \"x \" $at % 65536\n"), "[ML107]");
    EXPECT_EQ(Codes("#Import <dos>\n#Import <string>\n~Print(\"n \" ~Len(\"ab\") * 2)\n"), "[ML107]");
    for (const char* fine : {"$s = $at % 65536", "$s = \"a-b\" $at", "$s = \"a\" + \"b\"", "$s = \"x \" $t[$at + 1]",
                             "$s = ~Len(\"ab\") + 1"})
        EXPECT_EQ(Codes(std::string("#Import <string>\n$at = 1\n$t[2] = 1\n") + fine + "\n"), "") << fine;
}

TEST(CheckValues, VariableOfDigitsAndOperatorsStandingAlone) {
    const std::string head = "#Import <dos>\n$d = \"2024-01-02\"\n";
    EXPECT_EQ(Check(head + "$e = $d\n"),
              std::vector<std::string>{"s.txt:3:6: warning: this variable is set to a text of only digits and "
                                       "operators, which is computed where the variable alone is a value; join it "
                                       "to a text, as in $d \"\", or start the text with a letter [ML108]"});
    EXPECT_EQ(Codes(head + "~Print($d)\n"), "[ML108]");
    EXPECT_EQ(Codes(head + "~Print($d \"\")\n"), "");
    EXPECT_EQ(Codes("#Import <dos>\n$d = \"d2024-01-02\"\n$e = $d\n~Print(\"2024-01-02\")\n"), "");
}

TEST(CheckCalls, UnknownNames) {
    EXPECT_EQ(Check("~Print(\"x\")\n"),
              std::vector<std::string>{"s.txt:1:1: warning: the line fails with \"Can not find: ~print -> Def: "
                                       "print\"; ~print is in the dos module: add #Import <dos> [ML109]"});
    EXPECT_EQ(Check("#Import <dos>\n~Prnt(\"x\")\n"),
              std::vector<std::string>{"s.txt:2:1: warning: the line fails with \"Can not find: ~prnt -> Def: "
                                       "prnt\"; did you mean ~dos.print? [ML109]"});
    EXPECT_EQ(Codes("~Dos.Print(\"x\")\n"), "");
    EXPECT_EQ(Codes("Def: Twice($n)\n  Return $n * 2\nEnd Def\n$a = ~Twice(2)\n"), "");
    EXPECT_EQ(Codes("Class: Box\nDef: Add($n)\n  Return $n\nEnd Def\nEnd Class\n~Box(Box).new\n$a = ~Box.Add(1)\n"), "");
}

TEST(CheckCalls, ArgumentCounts) {
    EXPECT_EQ(Check("#Import <dos>\n~Print(\"a\", \"b\")\n"),
              std::vector<std::string>{"s.txt:2:1: warning: ~print takes 1 argument, not 2; the line fails when "
                                       "it runs [ML110]"});
    EXPECT_EQ(Codes("#Import <string>\n$a = ~Len()\n"), "[ML110]");
    EXPECT_EQ(Codes("#Import <dos>\n~Print(\"a, b\" ~Dos.Print(\"c\"))\n"), "");
}

TEST(CheckLines, ALineLongerThanAPieceIsLoadedAsTwo) {
    const std::string longLine = "' " + std::string(300, 'x') + "\n";
    EXPECT_EQ(Check(longLine),
              std::vector<std::string>{"s.txt:1:256: warning: the line is longer than 255 bytes: from here on it is "
                                       "loaded as a line of its own; split it [ML111]"});
    EXPECT_TRUE(Check("' " + std::string(250, 'x') + "\n").empty());
}

TEST(CheckLines, ColumnsCountTheFilesOwnBytes) {
    const std::string warning = ": warning: a single = is no comparison: the condition always holds; write == to compare [ML102]";
    EXPECT_EQ(Check("\xEF\xBB\xBF" "Cmp (1 = 1)\nEnd\n"), std::vector<std::string>{"s.txt:1:11" + warning});
    EXPECT_EQ(Check("$a = 1\r\n\tCmp ($a = 1)\r\nEnd\r\n"), std::vector<std::string>{"s.txt:2:10" + warning});
}

TEST(CheckCalls, ARangeOfCountsIsNamed) {
    EXPECT_EQ(Check("$a = ~DLLMsg(\"a\", \"b\")\n"),
              std::vector<std::string>{"s.txt:1:6: warning: ~dllmsg takes 3 to 13 arguments, not 2; the line fails "
                                       "when it runs [ML110]"});
}

}  // namespace
}  // namespace ml
