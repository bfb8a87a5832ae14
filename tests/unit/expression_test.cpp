#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/value_text.h"
#include "core/variables.h"
#include "expr/substitution.h"
#include "expr/expression.h"
#include "expr/arithmetic.h"
#include "expr/chain.h"
#include "arithmetic_model.h"
#include "test_run.h"

namespace ml {

namespace {
std::string eval(std::string_view expression) {
    TestRun t;
    return ExpressionValue(*t.in, expression);
}
int holds(std::string_view condition) {
    TestRun t;
    return ConditionHolds(*t.in, condition);
}
}  // namespace

TEST(Arithmetic, PrecedenceAssociativityAndSigns) {
    const std::pair<const char*, const char*> cases[] = {
        {"1+2*3", "7"},   {"2^3^2", "64"}, {"8/4/2", "1"},   {"10-4-3", "3"}, {"5*-3", "-15"},
        {"4--3", "7"},    {"-2-3", "-5"},  {"-2^2", "4"},    {"2*(3+4)", "14"}, {"2(3)", "23"},
        {"-(3)", "-3"},   {"((1+2)*3)", "9"}, {"3-", "3"},   {"+5", "5"},     {"", "0"},
        {"1--2^2", "-3"},
    };
    for (auto [expression, value] : cases) EXPECT_EQ(eval(expression), value) << expression;
}

TEST(Arithmetic, EveryStepGoesThroughTheNumberText) {
    EXPECT_EQ(eval("1/3*3"), "0.999999");
    EXPECT_EQ(eval("0.1+0.2"), "0.3");
    EXPECT_EQ(eval("2/3"), "0.666667");
    EXPECT_EQ(eval("0.0000001*1"), "0");
    EXPECT_EQ(eval("2^0.5"), "1.414214");
    EXPECT_EQ(eval("007"), "007");
    EXPECT_EQ(eval("007*1"), "7");
    EXPECT_EQ(eval("1.50+0"), "1.5");
}

TEST(Arithmetic, OddOperandsStopOrPassThrough) {
    EXPECT_EQ(eval("1.2.3+1"), "1.2.3+1");
    EXPECT_EQ(eval("1+2*1.2.3"), "1+2*1.2.3");
    EXPECT_EQ(eval("1,2"), "1,2");
    EXPECT_EQ(eval("1,2+3"), "1,5");
    // A minus after a comma is a sign; the evaluation ends instead of repeating.
    EXPECT_EQ(eval("1,-3"), "1,-3");
}

TEST(Arithmetic, RemainderCutsToIntegers) {
    EXPECT_EQ(eval("7.9%2"), "1");
    EXPECT_EQ(eval("-7%3"), "-1");
    EXPECT_EQ(eval("7%-3"), "1");
    EXPECT_EQ(eval("-2147483648%-1"), "0");
}

TEST(Arithmetic, RemainderIsExactForWholeNumbersUpToTwoToThe53) {
    EXPECT_EQ(eval("10000000001%7"), "5");
    EXPECT_EQ(eval("-10000000001%7"), "-5");
    EXPECT_EQ(eval("2147483648%10"), "8");
    EXPECT_EQ(eval("9007199254740992%1000"), "992");
    EXPECT_EQ(eval("7%10000000001"), "7");
    EXPECT_EQ(eval("123456789012.9%1000"), "12");
    // An operand that is a result is read from its number text.
    EXPECT_EQ(eval("(100000*100000+1)%7"), "5");
    EXPECT_EQ(eval("-9223372036854775808%-1"), "0");
}

TEST(Arithmetic, RemainderByZeroIsAFatalError) {
    TestRun t;
    t.run("$a = 5 % 0.5\n$b = 1\n");
    EXPECT_TRUE(t.ended);
    EXPECT_EQ(t.out(), Report(1, "Remainder by zero: 5%0.5", "\x07$a=5%0.5"));
}

// An operation with no number for its result ends the run where the text would have
// held "inf" or "nan", naming the operation as it stands after the operands before it.
TEST(Arithmetic, DivisionByZeroAndPowersWithoutANumberAreFatalErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"$a = 8 / 0", "Division by zero: 8/0"},
        {"$a = 0 - 8 / 0", "Division by zero: 8/0"},
        {"$a = 0 / 0 - 1", "Division by zero: 0/0"},
        {"$a = 1 + 2 * 3 / (1 - 1)", "Division by zero: 6/0"},
        {"$a = 8 / -0.0", "Division by zero: 8/-0.0"},
        {"$a = (0 - 8) ^ 0.5", "Power gives no number: -8^0.5"},
        {"$a = 10 ^ 400", "Power gives no number: 10^400"},
        {"$a = 0 ^ (0 - 1)", "Power gives no number: 0^-1"},
    };
    for (auto [line, message] : cases) {
        TestRun t;
        t.run(std::string(line) + "\n$b = 1\n");
        EXPECT_TRUE(t.ended) << line;
        EXPECT_EQ(t.out(), Report(1, message, t.entry(0))) << line;
    }
    EXPECT_EQ(eval("8/0.5") + eval("2^0.5") + eval("(0-8)^3"), "161.414214-512");
}

// The decoded form of an entry meets the zero (or the negative base) on a later run
// than the one that read the entry, and the run ends as it would from the text.
TEST(Arithmetic, OperationsWithoutANumberEndTheRunOnEveryPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"8 / $d", "Division by zero: 8/0"},
        {"8 % $d", "Remainder by zero: 8%0"},
        {"$d ^ 0.5", "Power gives no number: -1^0.5"},
    };
    for (auto [operation, message] : cases) {
        TestRun t;
        t.run(std::string("$d = 3\nCmp ($d >= -1)\n$a = ") + operation + "\n$d = $d - 1\nLoop\n");
        EXPECT_TRUE(t.ended) << operation;
        EXPECT_EQ(t.out(), Report(3, message, t.entry(2))) << operation;
    }
}

TEST(TextExpressions, LiteralsJoinAndEscapesExpand) {
    EXPECT_EQ(eval("\x07\"a\x07\"\x07\"b\x07\""), "ab");
    EXPECT_EQ(eval("\x07\"\\x41\\x42\x07\""), "AB");
    EXPECT_EQ(eval("\x07\"x\x07\"1+2"), "x1+2");
    EXPECT_EQ(eval("hello"), "hello");
    EXPECT_EQ(eval("\x07\"\x07\""), "");
    EXPECT_EQ(eval("\x07\"a\\x00b\x07\""), "ab");
    EXPECT_EQ(eval("@12345"), "@12345");
    EXPECT_EQ(eval("\x07\"\\X41\x07\""), "\\X41");
}

TEST(TextExpressions, BadEscapeIsReported) {
    TestRun t;
    t.run("$a = \"\\xg1\"\n");
    EXPECT_EQ(t.out(), Report(1, "Special character error: \\xg1", "\x07$a=\x07\"\\xg1\x07\""));
}

TEST(Conditions, TextEqualityAndNumericOrder) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},       {"1", 1},          {"0.0", 1},       {"1-1", 0},        {"1==1.0", 0},
        {"1==0.5*2", 1}, {"10==010", 0},    {"1<>1", 0},      {"1<>2", 1},       {"10>9", 1},
        {"\x07\"10\x07\">\x07\"9\x07\"", 1}, {"\x07\"abc\x07\"<1", 1}, {"==0", 1},
        {"\x07\"\x07\"", 1}, {"\x07\"ABC\x07\"==\x07\"abc\x07\"", 0}, {"2>=2", 1}, {"3<=2", 0},
        {"a==b==c", 0},
    };
    for (auto [condition, value] : cases) EXPECT_EQ(holds(condition), value) << condition;
}

TEST(Conditions, EmptyVariableIsZeroButEmptyLiteralIsNot) {
    TestRun t;
    t.run("$e = \"\"\n$a = 5\n"
          "Cmp ($e)\n~Dos.Print(\"e\")\nEnd\n"
          "Cmp ($a = 1)\n~Dos.Print(\"single\")\nEnd\n"
          "Cmp ($e == \"\")\n~Dos.Print(\"empty\")\nEnd\n");
    EXPECT_FALSE(t.ended) << t.out();
    // $e substitutes to the empty text, which computes to "0"; the literal stays empty.
    EXPECT_EQ(t.out(), "single");
}

}  // namespace ml

namespace ml {

// Texts of numbers, brackets and every operator, generated, computed by whichever of
// the evaluator's paths takes them, against the model of the stated rules.
TEST(Arithmetic, ComputesAsTheStatedRules) {
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    const char* numbers[] = {"0", "1", "2", "7", "10", "12", "-3", "-0", "0.5", "-0.25", "2.25", "007", "3.",
                             ".5", "0.1", "3.14159", "999999999", "123456789012"};
    const char operators[] = "+-*/%^";
    auto expression = [&](auto& self, int depth) -> std::string {
        std::string text;
        for (int k = 0, terms = 1 + static_cast<int>(next(4)); k < terms; ++k) {
            if (k > 0) text += operators[next(sizeof operators - 1)];
            text += depth < 3 && next(4) == 0 ? "(" + self(self, depth + 1) + ")" : numbers[next(std::size(numbers))];
        }
        return text;
    };
    TestRun t;
    for (int round = 0; round < 40000; ++round) {
        const std::string text = expression(expression, 0);
        const model::Outcome expected = model::Arithmetic::Of(text);
        if (expected.unstated) continue;
        try {
            const std::string value = ExpressionValue(*t.in, text);
            EXPECT_TRUE(expected.error.empty()) << text << " gave " << value << ", not " << expected.error;
            EXPECT_EQ(value, expected.value) << text;
        } catch (const FatalError& error) {
            EXPECT_FALSE(expected.error.empty()) << text << " failed: " << error.message;
        }
    }
}

// Results beyond the largest number end the run with the message of the operation
// that made them, as the model of the stated rules names it. (Every operand is cut to
// 255 digits first, so only products and powers get that far.)
TEST(Arithmetic, ResultsBeyondTheLargestNumberAreFatalErrors) {
    for (const char* text : {"10^200*10^200", "0-10^200*10^200", "2^1000*2^1000", "1+10^200*10^200/2", "10^400",
                             "(10^200)^2"}) {
        const model::Outcome expected = model::Arithmetic::Of(text);
        ASSERT_FALSE(expected.error.empty()) << text;
        TestRun t;
        try {
            ExpressionValue(*t.in, text);
            ADD_FAILURE() << text << " gave a value";
        } catch (const FatalError& error) {
            EXPECT_TRUE(error.message.starts_with(expected.error)) << text << ": " << error.message;
        }
    }
}

// Chains of numbers and variables, with random values (numbers and not) set first.
class VariableChains : public ::testing::Test {
protected:
    TestRun t;
    std::uint32_t seed = 777;

    std::uint32_t next(std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    }
    void setValues() {
        static const std::string values[] = {"0", "5", "-3", "12.5", "1.2.3", "", "abc", "007", "-0",
                                             "999999999999", std::string(140, '9')};
        for (char name : std::string_view("abcde"))
            SetValue(*t.in, VariableSlot(*t.in, std::string("\x07$") + name), values[next(std::size(values))]);
    }
    std::string expression() {
        static const char* literals[] = {"1", "2", "7", "0.5", "-2", "3."};
        static const char operators[] = "+-*/%^";
        std::string text;
        const int terms = 1 + static_cast<int>(next(6));
        for (int k = 0; k < terms; ++k) {
            if (k > 0) text += operators[next(sizeof operators - 1)];
            if (next(3) == 0) text += literals[next(std::size(literals))];
            else text += std::string("\x07$") + "abcde"[next(5)];
        }
        return text;
    }
};

TEST_F(VariableChains, ComputeAsTheStatedRules) {
    for (int round = 0; round < 20000; ++round) {
        setValues();
        const std::string text = expression();
        const std::string substituted(ClipView(SubstituteVariables(*t.in, text)));
        const model::Outcome expected = model::Arithmetic::Of(substituted);
        if (expected.unstated || !expected.error.empty()) continue;
        EXPECT_EQ(ExpressionValue(*t.in, text), expected.value) << substituted;
    }
}

TEST_F(VariableChains, ReadAsTheNumbersOfTheirTexts) {
    for (int round = 0; round < 20000; ++round) {
        setValues();
        const std::string text = expression();
        auto number = TextChainNumber(*t.in, text);
        if (!number) continue;
        const double expected = TextToNumber(ExpressionValue(*t.in, text));
        EXPECT_TRUE(*number == expected && std::signbit(*number) == std::signbit(expected)) << text;
    }
    // Conditions that order two values use those numbers.
    setValues();
    for (const char* condition : {"1<2", "2<=1", "0.5>=0.50", "3>2.9999999"})
        EXPECT_EQ(ConditionHolds(*t.in, condition), holds(condition)) << condition;
}

TEST(Numbers, FastConversionsMatchTheGeneralOnes) {
    std::uint64_t seed = 99;
    NumberBuffer fast, general;
    for (int round = 0; round < 200000; ++round) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const double magnitude = std::pow(10.0, static_cast<int>(seed >> 60) - 3);
        const double value = static_cast<double>(static_cast<std::int64_t>(seed >> 20) % 2000001 - 1000000) * magnitude / 1000;
        ASSERT_EQ(FormatNumber(value, fast), FormatFixed(value, general)) << value;
        const std::string text(FormatFixed(value, general));
        ASSERT_EQ(TextToNumber(text), ParseDecimal(text)) << text;
    }
    EXPECT_EQ(FormatNumber(-0.0, fast), "-0");
    EXPECT_EQ(TextToNumber("0.1"), ParseDecimal("0.1"));
    EXPECT_EQ(TextToNumber("123456789.123456"), ParseDecimal("123456789.123456"));
}

// Telling a number from other text without reading its value takes the same texts.
TEST(Numbers, NumberTextsAreTheOnesTheirReadingTakes) {
    std::uint64_t seed = 7;
    const std::string_view bytes = "0123456789.-+ e";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int k = static_cast<int>(round % 5); k >= 0; --k) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            text += bytes[(seed >> 33) % bytes.size()];
        }
        double value = 0;
        ASSERT_EQ(IsSignedNumber(text), ReadSignedNumber(text, true, value)) << text;
    }
}

}  // namespace ml
