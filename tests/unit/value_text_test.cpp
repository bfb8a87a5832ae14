#include <gtest/gtest.h>

#include <string>

#include "core/value_text.h"
#include "expr/expression.h"
#include "test_run.h"

namespace ml {
namespace {

TEST(ValueText, ASourceCutLeavesNoPartOfAnEscapeOrAMarkedPair) {
    const std::string head(251, 'a');
    EXPECT_EQ(ClipSource(head + "\\x41\\x42"), head + "\\x41");  // ends exactly after an escape
    EXPECT_EQ(ClipSource(head + "b\\x41"), head + "b");            // "\x4" would be left
    EXPECT_EQ(ClipSource(head + "bb\\x41"), head + "bb");          // "\x" would be left
    EXPECT_EQ(ClipSource(head + "bbb\\x41"), head + "bbb");        // "\" would be left
    EXPECT_EQ(ClipSource(head + "bbb\x07\"tail"), head + "bbb");   // a lone marker would be left
    EXPECT_EQ(ClipSource(head + "bb\x07\\x41"), head + "bb\x07\\"); // a data backslash is no escape
    EXPECT_EQ(ClipSource(head + "\\\\x"), head + "\\\\x");          // 255 bytes stand as they are
}

TEST(ValueText, AValueCutNeverPartsADataBackslashFromItsMark) {
    const std::string head(254, 'a');
    EXPECT_EQ(ClipValue(head + "\x07\\"), head);
    EXPECT_EQ(ClipValue(head + "b\x07\\"), head + "b");
    EXPECT_EQ(ClipValue(std::string(300, 'c')), std::string(255, 'c'));
}

// A marker or a backslash anywhere makes a text one that evaluation reads again, in
// short texts and long ones alike.
TEST(ValueText, InertTextsHoldNeitherMarkerNorBackslash) {
    for (std::size_t length = 1; length <= 40; ++length) {
        EXPECT_TRUE(IsInert(std::string(length, 'a')));
        for (std::size_t at = 0; at < length; ++at) {
            for (char c : {kMarker, '\\'}) {
                std::string text(length, 'a');
                text[at] = c;
                ASSERT_FALSE(IsInert(text)) << length << " at " << at;
            }
        }
    }
}

TEST(ValueText, DataBackslashesComeBackAsTheyWere) {
    for (std::string data : {"", "C:\\x41\\files", "\\", "\\\\x", "no backslash", "\x07\\"}) {
        std::string value = ProtectData(data);
        EXPECT_EQ(std::count(value.begin(), value.end(), '\\'), std::count(data.begin(), data.end(), '\\'));
        UnprotectData(value);
        EXPECT_EQ(value, data);
    }
}

// Typed text without syntax reads as written in the line (a sum is computed); any
// other result goes in a literal that fits in a value, cut only between whole bytes.
TEST(ValueText, DataEntersALineAsItselfOrAsALiteralThatFits) {
    auto inLine = [](std::string bytes, ResultReading reading) {
        PutDataInLine(bytes, reading);
        return bytes;
    };
    EXPECT_EQ(inLine("1+2", ResultReading::AsTyped), "1+2");
    EXPECT_EQ(inLine("1+2", ResultReading::AsText), "\x07\"1+2\x07\"");
    EXPECT_EQ(inLine("a,b", ResultReading::AsTyped), "\x07\"a,b\x07\"");
    EXPECT_EQ(inLine("\x07$s \"=\\", ResultReading::AsTyped), "\x07\"\x07!$s \\x22\\x3d\x07\\\x07\"");
    // Evaluated, what the door gives is the bytes it carries, however many pairs and
    // escapes they need.
    TestRun t;
    for (const char worst : {'\x07', '\\', '"', '=', 'a'}) {
        for (std::size_t length = 240; length <= 300; ++length) {
            const std::string bytes = "," + std::string(length, worst);
            const std::string line = inLine(bytes, ResultReading::AsTyped);
            ASSERT_LE(line.size(), kMaxText) << length;
            std::string value = ExpressionValue(*t.in, line);
            UnprotectData(value);
            ASSERT_EQ(value, bytes.substr(0, DataThatFits(bytes, ResultReading::AsTyped))) << worst << length;
        }
    }
}

// A syntax byte anywhere in a result, short or long, sends it into a literal.
TEST(ValueText, EverySyntaxByteAtEveryPlaceMakesALiteral) {
    for (std::size_t length = 1; length <= 40; ++length) {
        std::string plain(length, 'a');
        PutDataInLine(plain, ResultReading::AsTyped);
        EXPECT_EQ(plain, std::string(length, 'a'));
        for (std::size_t at = 0; at < length; ++at) {
            for (char c : std::string_view("\x07\"(),<=>[\\]")) {
                std::string text(length, 'a');
                text[at] = c;
                PutDataInLine(text, ResultReading::AsTyped);
                ASSERT_TRUE(text.starts_with(kLiteralQuote)) << length << " at " << at << " " << c;
            }
        }
    }
}

// Typed bytes that would start a reference, a call or a literal run nothing and come
// out as they went in, through variables, built-in functions and a user function.
TEST(ValueText, TypedMarkersRunNothing) {
    TestRun t;
    const std::string attack = "\x07$secret \x07~dos.print(\x07\"INJECTED\x07\"), \x07\"";
    t.fake.console.lines = {attack};
    t.run("$secret = \"s3cr3t\"\nDef: Echo($s)\nReturn $s\nEnd Def\n$l = ~Dos.Gets()\n"
          "~Dos.Print(\"[\" ~Echo(~String.Trim($l)) \"]\")\n");
    EXPECT_EQ(t.out(), "[" + attack + "]");
}

// A marker byte that a script writes as an escape is data too: before a quote, a
// reference or the byte that marks data, it keeps every byte and reads nothing.
TEST(ValueText, AMarkerWrittenAsAnEscapeIsData) {
    TestRun t;
    t.run("$secret = \"s3cr3t\"\n$a = \"A\\x07!B \\x07\\x22q\\x07\\x22 \\x07$secret\"\n"
          "~Dos.Print(\"[\" ~String.Trim($a) \"]\")\n");
    EXPECT_EQ(t.out(), "[A\x07!B \x07\"q\x07\" \x07$secret]");
}

TEST(ValueText, TypedBackslashesSurviveEveryUseOfTheirVariable) {
    TestRun t;
    t.fake.console.lines = {"C:\\x41\\xampp", "2*3"};
    t.run("$l = ~Dos.Gets()\n$m = $l\n$n = ~Dos.Gets()\n~Dos.Print($m \"|\" ~String.Len($m) \"|\" $n)\n"
          "Cmp ($m == \"C:\\x5cx41\\x5cxampp\")\n~Dos.Print(\"|same\")\nEnd\n");
    EXPECT_EQ(t.out(), "C:\\x41\\xampp|12|6|same");
}

TEST(ValueText, ReadingOnPastTheEndOfInputEndsTheRun) {
    TestRun lines;
    lines.run("$a = ~Dos.Gets()\n~Dos.Print(\"[\" $a \"]\")\n$b = ~Dos.Gets()\n~Dos.Print(\"never\")\n");
    EXPECT_EQ(lines.out(), "[0]" + Report(3, "End of input", "\x07$b=\x07~dos.gets()"));
    // A key read between two ends of input starts the count again.
    TestRun keys;
    keys.fake.console.keys = {-1, 65, -1};
    keys.run("~Dos.Print(~Dos.Getch() ~Dos.Getch() ~Dos.Getch() ~Dos.Getch())\n");
    EXPECT_EQ(keys.out(), Report(1, "End of input", "\x07~dos.print(\x07~dos.getch()\x07~dos.getch()\x07~dos.getch()\x07~dos.getch())"));
}

}  // namespace
}  // namespace ml
