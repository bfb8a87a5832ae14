#include <gtest/gtest.h>

#include "core/variables.h"
#include "test_run.h"

namespace ml {

namespace {

std::string Var(TestRun& t, std::string_view name) {
    auto found = t.in->vars.index.find("\x07$" + std::string(name));
    return found == t.in->vars.index.end() ? "<unset>" : ValueText(*t.in, found->second);
}

}  // namespace

TEST(StringModule, PositionsAreOneBasedButInsertAndRemoveCountCharactersBefore) {
    EXPECT_EQ(Printed("~Dos.Print(~String.Mid(\"hello\", 2, 3) \"|\" ~String.InStr(\"abcabc\", \"bc\") \"|\" "
                      "~String.InStrRev(\"abcabc\", \"bc\") \"|\" ~String.InStr(\"abc\", \"x\"))\n"
                      "~Dos.Print(\"|\" ~String.Insert(\"abc\", 1, \"X\") \"|\" ~String.Insert(\"abc\", -1, \"X\") \"|\" "
                      "~String.Remove(\"abcdef\", 1, 2) \"|\" ~String.Remove(\"abc\", 5, 1))\n"),
              "ell|2|5|0|aXbc|abc|adef|abc");
}

TEST(StringModule, BytewiseFunctionsCountAndChangeSingleBytes) {
    // \xa4\x61 is one double-byte character whose second byte is the letter a.
    EXPECT_EQ(Printed("~Dos.Print(~String.Len(\"\\xa4\\x61\") ~String.Upper(\"aBc1\\xa4\\x61\") "
                      "~String.Lower(\"XyZ\") ~String.Reverse(\"abc\"))\n"),
              "2ABC1\xa4" "Axyzcba");
    EXPECT_EQ(Printed("~Dos.Print(~String.Trim(\" a b\" \"\\x09\") \"|\" ~String.Lmend(\"ab\", 5) \"|\" "
                      "~String.Rmend(\"ab\", 5) \"|\" ~String.Rmend(\"ab\", 1) \"|\" ~String.InCount(\"aaaa\", \"aa\") "
                      "~String.IsNumber(\"-1.5\") ~String.IsNumber(\"1.2.3\") \"|\" ~String.Replace(\"a-b-c\", \"-\", \"+\"))\n"),
              "a b|ab   |   ab|ab|310|a+b+c");
}

TEST(StringModule, ResultsAreCutToTheValueLimit) {
    EXPECT_EQ(Printed("~Dos.Print(~String.Len(~String.Lmend(\"ab\", 1000)))\n"), "255");
}

TEST(StringModule, ImportedNamesAndTheFrameChecks) {
    EXPECT_EQ(Printed("#Import <string>\n~Dos.Print(~Len(\"abc\") ~String.Len(\"ab\"))\n"), "32");
    TestRun count;
    count.run("$a = ~String.Mid(\"abc\", 1)\n");
    EXPECT_EQ(count.out(), Report(1, "~string.mid -> Several parameters: 3", "\x07$a=\x07~string.mid(\x07\"abc\x07\",1)"));
}

TEST(StringModule, SplitFillsTheElementsOfTheAssignedVariable) {
    TestRun t;
    t.run("$str[5] = \"old\"\n$str = ~String.Split(\"123|456|789\", \"|\")\n"
          "$t = ~String.Split(\"||a||b|\", \"|\")\n$u = ~String.Split(\"a b\", \"\")\n$w = ~String.Split(\"\", \"|\")\n");
    ASSERT_FALSE(t.ended) << t.out();
    EXPECT_EQ(Var(t, "str"), "123|456|789");
    EXPECT_EQ(Var(t, "str[0]") + Var(t, "str[1]") + Var(t, "str[2]") + Var(t, "str[3]"), "123456789<unset>");
    EXPECT_EQ(Var(t, "str[5]"), "old");
    EXPECT_EQ(Var(t, "str.length"), "<unset>");
    EXPECT_EQ(Var(t, "t[0]") + "," + Var(t, "t[1]") + "," + Var(t, "t[2]"), "a,b,<unset>");
    EXPECT_EQ(Var(t, "u[0]") + "," + Var(t, "u[1]"), "a b,<unset>");
    EXPECT_EQ(Var(t, "w[0]"), "<unset>");
}

TEST(StringModule, SplitInsideAFunctionFillsLocalElements) {
    EXPECT_EQ(Printed("Def: f()\n$p = ~String.Split(\"x,y\", \",\")\n~Dos.Print($p[1])\nEnd Def\n"
                      "~f()\n$p[1] = \"global\"\n~Dos.Print($p[1])\n"),
              "yglobal");
}

TEST(StringModule, SplitWithoutAnAssignedVariableIsAnError) {
    TestRun t;
    t.run("~Dos.Print(~String.Split(\"a|b\", \"|\"))\n");
    EXPECT_EQ(t.out(), Report(1, "Need a variable to split into: ~string.split",
                              "\x07~dos.print(\x07~string.split(\x07\"a|b\x07\",\x07\"|\x07\"))"));
}

}  // namespace ml
