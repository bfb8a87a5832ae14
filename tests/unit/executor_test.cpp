#include <gtest/gtest.h>

#include "core/variables.h"
#include "core/value_text.h"
#include "test_run.h"

namespace ml {

TEST(Executor, EmptyProgramsAndLabelsRunThrough) {
    TestRun t;
    t.run("\n:Start\n' comment\n");
    EXPECT_FALSE(t.ended);
    EXPECT_EQ(t.out(), "");
}

TEST(Executor, ElCmpChainsTakeTheFirstTrueBranch) {
    TestRun t;
    t.run("Cmp (1==2)\n~Dos.Print(\"a\")\nElCmp (2==2)\n~Dos.Print(\"b\")\nElCmp ()\n~Dos.Print(\"c\")\nEnd\n"
          "Cmp (0)\n~Dos.Print(\"d\")\nElCmp (0)\n~Dos.Print(\"e\")\nEnd\n~Dos.Print(\"!\")\n");
    EXPECT_EQ(t.out(), "b!");
}

TEST(Executor, LoopWithElCmpRunsEachBranchUntilAllAreFalse) {
    TestRun t;
    t.run("$i = 0\n$j = 0\n"
          "Cmp ($i < 3)\n$i = $i + 1\n~Dos.Print(\"i\")\nElCmp ($j < 3)\n$j = $j + 1\n~Dos.Print(\"j\")\nLoop\n");
    EXPECT_EQ(t.out(), "iiijjj");
}

TEST(Executor, BreakAndContinueFromInsideAnIfBlock) {
    TestRun t;
    t.run("$i = 0\nCmp ()\n$i = $i + 1\nCmp ($i == 2)\nContinue\nEnd\nCmp ($i == 4)\nBreak\nEnd\n"
          "~Dos.Print($i)\nLoop\n~Dos.Print(\"end\")\n");
    EXPECT_EQ(t.out(), "13end");
}

TEST(Executor, BreakPassesOverAWholeInnerLoopPlacedAfterIt) {
    EXPECT_EQ(Printed("$i = 0\nCmp ($i < 5)\n$i = $i + 1\nCmp ($i == 2)\nBreak\nEnd\n"
                      "Cmp (0)\n~Dos.Print(\"inner\")\nLoop\n~Dos.Print($i)\nLoop\n~Dos.Print(\"end\")\n"),
              "1end");
}

TEST(Executor, BreakWithoutALoopAfterIt) {
    TestRun t;
    t.run("Cmp (1)\nBreak\nEnd\n$a = 1\n");
    EXPECT_EQ(t.out(), Report(5, "Break -> Loop", "Can not find: Loop"));
}

TEST(Executor, BreakSearchStopsAtAFunctionBody) {
    TestRun t;
    t.run("Cmp (1)\nContinue\nEnd\nDef: f()\nCmp ()\nLoop\nEnd Def\n");
    EXPECT_EQ(t.out(), Report(4, "Continue -> Loop", "Can not find: Loop"));
}

TEST(Executor, GoToBothWaysAndAMissingLabel) {
    TestRun t;
    t.run("$n = 0\n:Top\n$n = $n + 1\nCmp ($n < 3)\nGoTo Top\nEnd\nGoTo Out\n~Dos.Print(\"no\")\n:Out\n~Dos.Print($n)\nGoTo Nowhere\n");
    EXPECT_EQ(t.out(), "3" + Report(11, "Jump label not found", "goto nowhere -> :nowhere\n"));
}

TEST(Executor, ExitEndsAtOnceWithoutPause) {
    TestRun t;
    t.run("~Dos.Print(\"a\")\nExit\n~Dos.Print(\"b\")\n");
    EXPECT_TRUE(t.ended);
    EXPECT_EQ(t.out(), "a");
    EXPECT_TRUE(t.fake.console.log.empty());
}

TEST(Executor, ExitEndsWithTheStatusItNames) {
    const std::pair<const char*, int> cases[] = {{"Exit", 0}, {"Exit 0", 0}, {"Exit 3", 3}, {"EXIT 007", 7}, {"Exit 255", 255}};
    for (const auto& [line, status] : cases) {
        TestRun t;
        t.run(std::string("~Dos.Print(\"a\")\n") + line + "\n~Dos.Print(\"b\")\n");
        EXPECT_TRUE(t.ended) << line;
        EXPECT_EQ(t.exitStatus, status) << line;
        EXPECT_EQ(t.out(), "a") << line;
    }
}

// A call's result completes the line: an empty one leaves `Exit` alone, a number names
// the status, and any other text is no statement, as before statuses.
TEST(Executor, ExitTakesTheStatusACallLeaves) {
    const std::pair<const char*, int> cases[] = {{"", 0}, {"4", 4}, {"04", 4}};
    for (const auto& [result, status] : cases) {
        TestRun t;
        t.run(std::string("Def: Code()\nReturn \"") + result + "\"\nEnd Def\nExit ~Code()\n~Dos.Print(\"b\")\n");
        EXPECT_TRUE(t.ended) << result;
        EXPECT_EQ(t.exitStatus, status) << result;
        EXPECT_EQ(t.out(), "") << result;
    }
    TestRun negative;
    negative.run("Def: Code()\nReturn -4\nEnd Def\nExit ~Code()\n");
    EXPECT_EQ(negative.out(), Report(4, "Command error", "exit-4"));
}

// Only a status that begins like a number is checked at load: other text after the
// word loads as before, and is a "Command error" only where it runs.
TEST(Executor, ExitFollowedByOtherTextFailsOnlyWhereItRuns) {
    EXPECT_EQ(Printed("GoTo Over\nExitfoo\nExit $x\n:Over\n~Dos.Print(\"over\")\n"), "over");
    TestRun t;
    t.run("$x = 3\nExit $x\n");
    EXPECT_EQ(t.out(), Report(2, "Command error", "exit\x07$x"));
    TestRun word;
    word.run("Exitfoo\n");
    EXPECT_EQ(word.out(), Report(1, "Command error", "exitfoo"));
}

TEST(Executor, UnknownStatementsAndTrailingTextAreCommandErrors) {
    TestRun t;
    t.run("Bogus\n");
    EXPECT_EQ(t.out(), Report(1, "Command error", "bogus"));
    TestRun after;
    after.run("~Dos.Print(\"a\") 5\n");
    EXPECT_EQ(after.out(), "a" + Report(1, "Command error", "\x07~dos.print(\x07\"a\x07\")5"));
}

TEST(Variables, NamesAreLoweredUpToTheLastLetterZ) {
    EXPECT_EQ(Printed("$ZOO = 5\n$Zy_Z = 6\n$AZ[1] = 7\n~Dos.Print($zoo $zY_z $az[1])\n"), "567");
}

TEST(Variables, AssignmentCreatesTheTargetFirst) {
    TestRun t;
    t.run("$n = $n + 1\n$s = \"\"\n$t = $s\n~Dos.Print($n \",\" $t)\n$y = $x\n");
    EXPECT_EQ(t.out(), "1,0" + Report(5, "Variable is not set: \x07$x", "\x07$y=\x07$x"));
}

TEST(Variables, ArraysAndIndices) {
    TestRun t;
    t.run("$a[1+1] = 5\n$a[01] = 6\n$k = \"key\"\n$m[$k] = 7\n$b[1] = 1\n$c[$b[1]] = 8\n"
          "~Dos.Print($a[2] \",\" $a[01] \",\" $m[\"key\"] \",\" $c[1])\n"
          "$s(\"p\",\"q,r\",1+2).Array\n~Dos.Print(\",\" $s.length $s[1] $s[2])\n"
          "$s(\"x\").Array\n~Dos.Print(\",\" $s.length $s[1])\n");
    EXPECT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.out(), "5,6,7,8,3q,r3,1q,r");
}

// An index names its element by the value its expression gave, whatever bytes that
// holds; a read takes the same index expressions as an assignment, and finds the
// element the assignment wrote (a negative index once could not be read back).
TEST(Variables, EveryIndexThatCanBeWrittenCanBeRead) {
    TestRun t;
    t.run("$k = -3\n$a[$k % 2] = 1\n$a[$k ^ 2] = 2\n$a[-2] = 3\n$n = \"Bob Lee\"\n$a[$n] = 4\n$a[\"x,y\"] = 5\n"
          "$a[-1][$n] = 6\n$p = -1\n"
          "~Dos.Print($a[-1] $a[9] $a[$k + 1] $a[\"Bob Lee\"] $a[$p][\"Bob Lee\"] \",\")\n"
          "$v = $a[\"x,y\"]\n$a[-1] = $a[-1] + $a[-2]\n~Dos.Print($v $a[$k % 2])\n");
    EXPECT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.out(), "12346,54");
}

// A name's brackets that never close end it where its characters end, as before.
TEST(Variables, ANameWithAnIndexLeftOpenEndsWithItsCharacters) {
    EXPECT_EQ(ReferenceEnd("\x07$a[-1]+1", 0), 7u);
    EXPECT_EQ(ReferenceEnd("\x07$a[-1", 0), 4u);
    EXPECT_EQ(ReferenceEnd("\x07$a[1]]-1", 0), 7u);
    EXPECT_EQ(ReferenceEnd("\x07$a[x y][-2].b c", 0), 14u);
    EXPECT_EQ(ReferenceEnd("1+\x07$b[[-1]", 2), 7u);
}

TEST(Variables, TheTableHoldsExactly4097Entries) {
    std::string script = "$i = 0\nCmp ($i < 4096)\n$v[$i] = 1\n$i = $i + 1\nLoop\n";
    TestRun full;
    full.run(script);
    EXPECT_FALSE(full.ended) << full.out();
    TestRun over;
    over.run(script + "$one = 1\n");
    EXPECT_EQ(over.out(), Report(-1, "Variable of memory, has exceeded the maximum value.", "\x07$one=1"));
}

TEST(Variables, SubstitutedValuesAreNeverReadAsReferences) {
    TestRun t;
    t.run("$v = \"\\x07$v\"\n$w = $v \"!\"\n");
    EXPECT_FALSE(t.ended) << t.out();
    // The value holds a marker (kept as data) and a dollar; substituting it must not
    // loop or look it up.
    EXPECT_EQ(ValueText(*t.in, 1), std::string(kDataMarker) + "$v!");
}

}  // namespace ml
