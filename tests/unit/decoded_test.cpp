#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/variables.h"
#include "core/errors.h"
#include "expr/chain.h"
#include "expr/decoded_expression.h"
#include "expr/expression.h"
#include "expr/arithmetic.h"
#include "test_run.h"

namespace ml {

namespace {

// Runs a script with the decoded forms on or off; gives what it wrote.
std::string RunWay(std::string_view script, bool decoded) {
    TestRun t;
    t.in->decoded.enabled = decoded;
    t.run(script);
    return t.out();
}

// The output of a script, checked to be the same both ways.
std::string RunBothWays(std::string_view script) {
    const std::string text = RunWay(script, false);
    EXPECT_EQ(RunWay(script, true), text) << script;
    return text;
}

// How many lines a script ran from their text, with the loop it ends with going round
// this many times.
std::uint64_t TextRuns(const std::string& setup, const std::string& body, int passes) {
    TestRun t;
    t.run(setup + "$j = 0\nCmp ($j < " + std::to_string(passes) + ")\n" + body + "  $j = $j + 1\nLoop\n");
    EXPECT_FALSE(t.ended) << body << t.out();
    return t.in->decoded.textRuns;
}

class DecodedChains : public ::testing::Test {
protected:
    TestRun t;
    std::uint32_t seed = 4242;

    std::uint32_t next(std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    }
    std::uint16_t slotOf(char name) { return VariableSlot(*t.in, std::string("\x07$") + name); }
    void setValue(char name) {
        static const std::string values[] = {"0", "5", "-3", "12.5", "1.2.3", "", "abc", "007", "-0",
                                             "2147483648", "999999999999", std::string(140, '9')};
        SetValue(*t.in, slotOf(name), values[next(std::size(values))]);
    }
    std::string expression() {
        static const char* literals[] = {"1", "2", "7", "0.5", "-2", "3.", "0", "1.2.3"};
        static const char operators[] = "+-*/%^,";
        std::string text;
        const int terms = 1 + static_cast<int>(next(6));
        for (int k = 0; k < terms; ++k) {
            if (k > 0) text += operators[next(sizeof operators - 1)];
            if (next(3) == 0) text += literals[next(std::size(literals))];
            else text += std::string("\x07$") + "abcdef"[next(6)];
        }
        return text;
    }
};

}  // namespace

// A chain read once gives, run after run and whatever the variables hold, what the
// fast arithmetic gives on the text, or gives nothing exactly where it does. Results
// are stored back into the variables, so numbers whose text is still due are read too.
TEST_F(DecodedChains, GiveWhatTheTextGivesRunAfterRun) {
    for (char name : std::string_view("abcde")) setValue(name);
    int agreed = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = expression();
        NumberChain chain;
        if (!DecodeChain(text, chain)) {
            EXPECT_FALSE(TextChainValue(*t.in, text).has_value()) << text;
            continue;
        }
        for (int run = 0; run < 4; ++run) {
            if (next(2) == 0) setValue("abcde"[next(5)]);
            const auto expected = TextChainValue(*t.in, text);
            const auto expectedNumber = TextChainNumber(*t.in, text);
            ChainValue value;
            const bool decoded = EvaluateChain(*t.in, chain, value);
            ASSERT_EQ(decoded, expected.has_value()) << text;
            if (!decoded) continue;
            ASSERT_EQ(ChainNumber(value), *expectedNumber) << text;
            ASSERT_EQ(std::signbit(ChainNumber(value)), std::signbit(*expectedNumber)) << text;
            const std::uint16_t target = slotOf("abcde"[next(5)]);
            ASSERT_TRUE(EvaluateAndStoreChain(*t.in, target, chain)) << text;
            ASSERT_EQ(ValueText(*t.in, target), *expected) << text;
            ++agreed;
        }
    }
    EXPECT_GT(agreed, 1000);
}

// A variable made after a chain first failed to find it is found on a later run.
TEST_F(DecodedChains, FindAVariableMadeAfterTheirFirstRun) {
    NumberChain chain;
    ASSERT_TRUE(DecodeChain("\x07$late*2", chain));
    ChainValue value;
    EXPECT_FALSE(EvaluateChain(*t.in, chain, value));
    SetValue(*t.in, VariableSlot(*t.in, "\x07$late"), "21");
    ASSERT_TRUE(EvaluateChain(*t.in, chain, value));
    EXPECT_EQ(value.value, 42);
}

// An expression read once (a chain, a join of literals and references, or neither,
// perhaps with a call's result in it) gives, run after run and whatever the variables
// and the result hold, what the evaluation of its filled text gives, and fails where
// that fails.
TEST_F(DecodedChains, ExpressionsGiveWhatTheirTextGives) {
    static const std::string values[] = {"abc", "", "12", "1+2", "-3", "2.5", "a\x07\\b", "x\\x41", "<=>", "a\"b",
                                         "\x07\"q\x07\"", std::string(200, 'z'), std::string(250, '7'), std::string(254, '1')};
    static const std::string pieces[] = {"\x07\"hi \x07\"", "\x07\"\\x41\\x0a\x07\"", "\x07\"\x07\"", "\x07\"a\\b\x07\"",
                                         "\x07\"\\x4\x07\"", "\x07\"\\x07\x07\"", "7", "0.5", "\x07$a", "\x07$b", "\x07$c",
                                         "\x07$c", "\x07\"" + std::string(120, 'q') + "\x07\""};
    auto outcome = [&](auto evaluate) -> std::optional<std::string> {
        try {
            return evaluate();
        } catch (const FatalError&) {
            return std::nullopt;
        }
    };
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int count = 1 + static_cast<int>(next(4));
        const int hole = static_cast<int>(next(6));
        for (int k = 0; k < count; ++k) {
            if (k > 0 && next(3) == 0) text += "+*%"[next(3)];
            text += k == hole ? std::string("\x07#") : pieces[next(std::size(pieces))];
        }
        DecodedExpression decoded;
        DecodeExpression(text, decoded);
        for (int run = 0; run < 3; ++run) {
            for (char name : std::string_view("abc")) SetValue(*t.in, slotOf(name), values[next(std::size(values))]);
            const std::string& result = values[next(std::size(values))];
            const auto expected = outcome([&] { return ExpressionValue(*t.in, Filled(text, result)); });
            const auto decodedValue = [&] {
                std::string value;
                DecodedValueInto(*t.in, decoded, result, value);
                return value;
            };
            ASSERT_EQ(outcome(decodedValue), expected) << text << " | " << result;
        }
    }
}

TEST(DecodedEntries, LoopsAndBranchesWriteWhatTheTextWrites) {
    EXPECT_EQ(RunBothWays("$i = 0\n$s = 0\n$t = \"\"\nCmp ($i < 10)\n  $i = $i + 1\n  $s = $s + $i % 3 * 2 - 1\n"
                          "  Cmp ($i <= 3)\n    $k = 1\n  ElCmp ($i >= 8)\n    $k = 3\n  ElCmp (1 == 1)\n    $k = 2\n  End\n"
                          "  $t = $t $k\nLoop\n~Dos.Print($s \" \" $t)\n"),
              "10 1112222333");
    // Whole numbers made by arithmetic keep the digits and signs their texts have.
    EXPECT_EQ(RunBothWays("$i = 0\nCmp ($i < 3)\n  $a = -0 * 5\n  $b = $i - 4\n  $c = 1 / 4\n  $d = $b\n"
                          "  $e = 007\n  $i = $i + 1\nLoop\n~Dos.Print($a \",\" $b \",\" $c \",\" $d \",\" $e)\n"),
              "-0,-2,0.25,-2,007");
}

// A backslash is a byte of its own unless an escape follows it, also as a literal's
// last byte: joined, stored alone and passed to a call, run after run.
TEST(DecodedEntries, BackslashesStayWhereNoEscapeFollows) {
    EXPECT_EQ(RunBothWays("$i = 0\n$t = \"\"\nCmp ($i < 3)\n  $t = $t \"a\\\" $i \"\\b\\x41\\\"\n  $u = \"c\\\"\n"
                          "  $v = ~String.Mid(\"xy\\\", 2, 2)\n  $i = $i + 1\nLoop\n~Dos.Print($t \"|\" $u \"|\" $v)\n"),
              "a\\0\\bA\\a\\1\\bA\\a\\2\\bA\\|c\\|y\\");
}

// Locals are found per call frame: the same line in two functions, at two depths,
// reaches each call's own variables.
TEST(DecodedEntries, LocalsBelongToTheirCallFrame) {
    EXPECT_EQ(RunBothWays("Def: Inner($n)\n  $x = $n * 10\n  Return $x + 1\nEnd Def\n"
                          "Def: Outer($n)\n  $x = $n + 1\n  $y = ~Inner($x)\n  Return $x + $y\nEnd Def\n"
                          "$i = 0\nCmp ($i < 3)\n  ~Dos.Print(~Outer($i) \" \" ~Inner($i) \";\")\n  $i = $i + 1\nLoop\n"),
              "12 1;23 11;34 21;");
}

// A depth keeps what its last call found (the function, its parameters' slots) only
// while that still holds: an alias bound between two calls of one name reroutes the
// second, a depth that takes turns between two functions binds each one's own
// parameters, and a wrong count is still reported after many right ones.
TEST(DecodedEntries, CallsFindTheirFunctionAgainWhereItChanged) {
    EXPECT_EQ(RunBothWays("Class: A\n  Def: F($x)\n    Return \"a\" $x\n  End Def\nEnd Class\n"
                          "Class: B\n  Def: F($y)\n    Return \"b\" $y\n  End Def\nEnd Class\n"
                          "$i = 0\n$t = \"\"\nCmp ($i < 3)\n  $t = $t \",\" ~A.F($i)\n  Cmp ($i == 0)\n    ~A(B).new\n  End\n"
                          "  $i = $i + 1\nLoop\n~Dos.Print($t)\n"),
              ",a0,b1,b2");
    EXPECT_EQ(RunBothWays("Def: One($a)\n  Return $a + 1\nEnd Def\nDef: Two($b, $a)\n  Return $a * $b\nEnd Def\n"
                          "$i = 0\n$t = 0\nCmp ($i < 4)\n  $t = $t + ~One($i) + ~Two($i, 3)\n  $i = $i + 1\nLoop\n~Dos.Print($t)\n"),
              "28");
    const std::string miscounted = RunBothWays("Def: P($a, $b)\n  Return $a $b\nEnd Def\n$i = 0\n"
                                               "Cmp ($i < 3)\n  ~Dos.Print(~P($i, 1))\n  $i = $i + 1\nLoop\n~Dos.Print(~P(7))\n");
    EXPECT_EQ(miscounted.substr(0, 6), "011121");
    EXPECT_NE(miscounted.find(") -> Several parameters: 2"), std::string::npos) << miscounted;
}

// Recursion reaches the depth limit at the same call both ways, its locals bound per
// depth on every round.
TEST(DecodedEntries, RecursionStopsAtTheDepthLimit) {
    const std::string recursion = "Def: R($n)\n  $m = $n\n  Cmp ($n > 0)\n    $m = $m + ~R($n - 1)\n  End\n  Return $m\nEnd Def\n";
    EXPECT_EQ(RunBothWays(recursion + "$i = 0\nCmp ($i < 3)\n  ~Dos.Print(~R(15) \";\")\n  $i = $i + 1\nLoop\n"),
              "120;120;120;");
    const std::string tooDeep = RunBothWays(recursion + "~Dos.Print(~R(15) \";\")\n~Dos.Print(~R(16))\n");
    EXPECT_EQ(tooDeep.substr(0, 4), "120;");
    EXPECT_GT(tooDeep.size(), 4u);
}

// A call's result fills the line it leaves: joined to texts, in arithmetic, in both
// kinds of comparison, from built-in and user functions alike.
TEST(DecodedEntries, CallResultsFillTheLineTheyLeave) {
    EXPECT_EQ(RunBothWays("$i = 0\n$t = \"\"\nCmp ($i < 3)\n  $n = ~String.Len(\"ab\" $i)\n  $m = 10 + ~String.Len($t)\n"
                          "  $s = ~String.Mid(\"x<y=z\", 2, 3)\n  Cmp (~String.Len($s) == 3)\n    $t = $t $s\n  End\n"
                          "  $i = $i + 1\nLoop\n~Dos.Print($n \" \" $m \" \" $t)\n"),
              "3 16 <y=<y=<y=");
    EXPECT_EQ(RunBothWays("Def: Twice($x)\n  Return $x * 2\nEnd Def\n$i = 0\n$t = \"\"\nCmp ($i < 4)\n"
                          "  Cmp (~Twice($i) > 3)\n    $t = $t \"+\" ~Twice($i)\n  ElCmp (~Twice($i) == 2)\n    $t = $t \"=\"\n"
                          "  End\n  $i = $i + 1\nLoop\n~Dos.Print($t)\n"),
              "=+4+6");
}

// A call's result stored alone (`$x = ~F()`) is what the filled text stores, for every
// kind of result: numbers a function returned without making their text (negative, -0,
// too big to be whole digits, fractions), parameters bound to numbers whose text is
// still due, and texts taken as they stand or read again (arithmetic, a literal, an
// array literal's ending, an empty text).
TEST(DecodedEntries, ResultsStoredAloneAreWhatTheTextStores) {
    EXPECT_EQ(RunBothWays("Def: F($n, $k)\n  Cmp ($k == 0)\n    Return $n * 3 - 7\n  ElCmp ($k == 1)\n"
                          "    Return -0 * $n\n  ElCmp ($k == 2)\n    Return $n * 999999999999999\n  End\n"
                          "  Return $n / 4\nEnd Def\nDef: Text($n)\n  Return \"<\" $n \">\" ~String.Len($n)\nEnd Def\n"
                          "$i = 0\n$t = \"\"\nCmp ($i < 12)\n  $r = ~F($i, $i % 4)\n  $e = ~Text($i * 10) ~Text($i)\n"
                          "  $t = $t $r \"|\" ~String.Len($r) \"|\" $e \";\"\n  $i = $i + 1\nLoop\n"
                          "~Dos.Print(~String.Mid($t, 1, 60))\n"),
              "-7|2|<0>1<0>1;-0|2|<10>2<1>1;1999999999999998|16|<20>2<2>1;0");
    RunBothWays("$src = \"ab1+2).array\"\n$i = 0\nCmp ($i < 14)\n  $s = ~String.Mid($src, $i, 5)\n"
                "  $n = ~String.Len($s)\n  $a = ~String.Mid($src, $i % 7, 20)\n  $q = ~String.Mid(\"x\\x22y\\x5cz\", $i % 4, 2)\n"
                "  ~Dos.Print($i \":\" $s \",\" $n \",\" $a \",\" $q \" \")\n  $i = $i + 1\nLoop\n");
}

// Results the decoded line cannot take as they stand run the filled text instead: a
// comparison sign in a condition's result, a result that makes the line too long to
// read whole, a result that reads as arithmetic.
TEST(DecodedEntries, ResultsThatChangeTheLineRunFromItsText) {
    RunBothWays("$i = 0\nCmp ($i < 3)\n  Cmp (~String.Mid(\"a<b\", 2, 1) == \"<\")\n    ~Dos.Print(\"lt\")\n  End\n"
                "  $i = $i + 1\nLoop\n");
    // An empty result joins "<" and "=" into one sign: 5 <= 5 holds where the result
    // is empty, and 5 < "x=5" (read as 0) does not.
    EXPECT_EQ(RunBothWays("$i = 0\nCmp ($i < 4)\n  Cmp (5 < ~String.Mid(\"x\", 1 + $i % 2 * 5, 1) = 5)\n"
                          "    ~Dos.Print($i)\n  End\n  $i = $i + 1\nLoop\n"),
              "13");
    RunBothWays("$a = \"\"\n$i = 0\nCmp ($i < 25)\n  $a = $a \"abcdefghij\"\n  $i = $i + 1\nLoop\n$i = 0\n"
                "Cmp ($i < 3)\n  $b = \"12345\" ~String.Reverse($a) \"67890\"\n  $i = $i + 1\nLoop\n"
                "~Dos.Print(~String.Len($b) \" \" ~String.Mid($b, 250, 6))\n");
    EXPECT_EQ(RunBothWays("$i = 0\nCmp ($i < 3)\n  $s = ~String.Mid(\"x1+2\", 2, 3)\n  $t = \"<\" ~String.Mid(\"x1+2\", 2, 3)\n"
                          "  $i = $i + 1\nLoop\n~Dos.Print($s \" \" $t)\n"),
              "3 <1+2");
}

// The lines the decoded path is there for leave their text after their first pass:
// a loop going round 40 times runs no more lines from their text than one going round
// 4 times. A guard that wrongly refuses would give the same output, only slower.
TEST(DecodedEntries, LinesMeantToRunDecodedLeaveTheirTextAfterTheFirstPass) {
    const std::string functions = "Def: Word()\n  Return \"a\\x41\" \"b\"\nEnd Def\nDef: Half($n)\n  Return $n / 2\nEnd Def\n"
                                  "$s = 0\n$t = \"\"\n";
    const char* bodies[] = {
        // Elements named by computed indices, written and read.
        "  $a[($j * 37 + 3) % 40] = $j + 1\n  $s = $s + $a[($j * 37 + 3) % 40]\n  $b[$s % 7] = $a[($j * 37 + 3) % 40] * 2\n",
        // Indices that are elements, two levels deep, on both sides.
        "  $a[$j % 5] = $j * 3 % 7\n  $b[$a[$j % 5]] = $j\n  $s = $s + $b[$a[$j % 5]]\n  $e[$b[$a[$j % 5]]] = $s\n",
        // Arithmetic, joins with escapes, and conditions on them.
        "  $s = $s * 2 % 1000 - ($j ^ 2) / 3\n  $t = \"x\\x22\" $j\n  Cmp ($t == \"y\")\n    $s = 0\n  End\n",
        // Calls whose results are stored alone (a text of signs and quotes too), joined
        // and computed.
        "  $w = ~Word()\n  $h = ~Half($j)\n  $t = ~Word() $h\n  $s = $s + ~Half($j) * 2\n",
        "  $w = ~String.Mid(\"abc\", 2, 1)\n  $n = ~String.Len($w $j)\n  $q = ~String.Mid(\"x<y=\\x22z\", 1, 5)\n",
    };
    for (const char* body : bodies) EXPECT_EQ(TextRuns(functions, body, 40), TextRuns(functions, body, 4)) << body;
}

// An element named by an index whose own value is no plain name is found as the text
// path finds it: a blank stays in the name, and a closing bracket cuts the written
// line short, so that the element it names is not set, on both paths alike.
TEST(DecodedEntries, ElementIndicesBehindOddValuesRunAsTheirText) {
    const std::string odd = RunBothWays(
        "$w = \"x y\"\n$v = \"]\"\n$a[$w] = 4\n$a[$v] = 5\n$i = 0\nCmp ($i < 3)\n  $b[$a[$w]] = $i\n"
        "  $i = $i + 1\nLoop\n~Dos.Print($b[4])\n$i = 0\nCmp ($i < 3)\n  $c[$a[$v]] = $i\n  $i = $i + 1\nLoop\n");
    EXPECT_EQ(odd.substr(0, 1), "2");
    EXPECT_NE(odd.find("Variable is not set: "), std::string::npos) << odd;
}

// Errors are reported at the same entry with the same text both ways, also when the
// entry had been decoded before the error.
TEST(DecodedEntries, ErrorsComeAtTheSameEntryBothWays) {
    RunBothWays("$i = 0\nCmp ($i < 5)\n  $i = $i + 1\n  Cmp ($i == 3)\n    $v = \"x\"\n  End\n  $w = $i % 3 % $v\nLoop\n");
    RunBothWays("$i = 0\nCmp ($i < 5)\n  $i = $i + 1\n  $w = $q + 1\n  Cmp ($i == 2)\n    $q = 1\n  End\nLoop\n");
    RunBothWays("$i = 0\nCmp ($i < 5000)\n  $i = $i + 1\n  $a[$i] = $i\nLoop\n");
    // A function that returns to a call in statement position, or ends without a value
    // for a call in value position, on the decoded call's second run.
    const std::string needsValue = RunBothWays("Def: F($n)\n  Cmp ($n == 1)\n    Return 5\n  End\nEnd Def\n$i = 0\n"
                                               "Cmp ($i < 2)\n  ~F($i)\n  $i = $i + 1\nLoop\n");
    const std::string givesNone = RunBothWays("Def: G($n)\n  Cmp ($n == 0)\n    Return 5\n  End\nEnd Def\n$i = 0\n"
                                              "Cmp ($i < 2)\n  $x = ~G($i)\n  $i = $i + 1\nLoop\n");
    EXPECT_NE(needsValue.find("Ranks  : 3\nMessage: Need to return value to the data: ~f"), std::string::npos);
    EXPECT_NE(givesNone.find("Ranks  : 8\nMessage: Prohibit the return value of the data: ~g"), std::string::npos);
}

}  // namespace ml
