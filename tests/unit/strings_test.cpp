#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/strings.h"

namespace ml {

TEST(Strings, MidCountsFromOneAndStopsAtTheEnd) {
    EXPECT_EQ(Mid("hello", 2, 3), "ell");
    EXPECT_EQ(Mid("hello", 4, 10), "lo");
    EXPECT_EQ(Mid("hello", 0, 2), "");
    EXPECT_EQ(Mid("hello", 6, 1), "");
    EXPECT_EQ(Mid("hello", 2, -1), "");
    EXPECT_EQ(Mid(std::string(300, 'a'), 1, 300).size(), 255u);
}

TEST(Strings, SearchesGiveOneBasedPositions) {
    EXPECT_EQ(PositionOf("abcabc", "bc"), 2);
    EXPECT_EQ(LastPositionOf("abcabc", "bc"), 5);
    EXPECT_EQ(PositionOf("abc", "x"), 0);
    EXPECT_EQ(PositionOf("abc", ""), 1);
    EXPECT_EQ(LastPositionOf("abc", ""), 3);
    EXPECT_EQ(PositionOf("", ""), 0);
    EXPECT_EQ(LastPositionOfByte("a.b.c", '.'), 4);
    EXPECT_EQ(CountOf("aaaa", "aa"), 3);
    EXPECT_EQ(CountOf("aaaa", ""), 0);
}

TEST(Strings, InsertAndRemoveKeepTheTextOnBadPositions) {
    EXPECT_EQ(Insert("abc", 0, "X"), "Xabc");
    EXPECT_EQ(Insert("abc", 3, "X"), "abcX");
    EXPECT_EQ(Insert("abc", 4, "X"), "abc");
    EXPECT_EQ(Insert("abc", -1, "X"), "abc");
    EXPECT_EQ(Remove("abc", 1, 10), "a");
    EXPECT_EQ(Remove("abc", 5, 1), "abc");
    EXPECT_EQ(Remove("abc", 0, 0), "abc");
}

TEST(Strings, ReplaceRescansButAlwaysEnds) {
    EXPECT_EQ(Replace("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(Replace("aaa", "aa", "a"), "a");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    // The new text holds the search text: one pass instead of an endless rescan.
    EXPECT_EQ(Replace("a-b", "-", "--"), "a--b");
    EXPECT_EQ(Replace(std::string(200, 'a'), "a", "bb").size(), 255u);
}

// Replacing rescans from the start after every replacement; a replacement may join
// the bytes around it into a new occurrence. Over every short text of two letters,
// the result is compared with that rescan done the plain way.
TEST(Strings, ReplaceFindsOccurrencesThatReplacementsJoin) {
    auto rescan = [](std::string out, const std::string& search, const std::string& with) {
        for (int round = 0; round < 4096; ++round) {
            auto at = out.find(search);
            if (at == std::string::npos) break;
            out.replace(at, search.size(), with);
            if (out.size() > 255) out.resize(255);
        }
        return out;
    };
    const std::vector<std::string> searches{"ab", "aab", "ba", "bab", "abb"}, withs{"", "a", "b", "ba", "bba", "c", "dc"};
    for (int bits = 0; bits < (1 << 10); ++bits) {
        std::string text;
        for (int i = 0; i < 10; ++i) text += (bits >> i & 1) ? 'b' : 'a';
        // The same text at the end of a full value, where growing cuts it every round.
        for (const std::string& whole : {text, std::string(245, 'b') + text})
            for (const auto& search : searches)
                for (const auto& with : withs)
                    if (with.find(search) == std::string::npos) {
                        EXPECT_EQ(Replace(whole, search, with), rescan(whole, search, with)) << whole << " " << search << " " << with;
                    }
    }
    EXPECT_EQ(Replace("aabbb", "ab", "a"), "aa");
    EXPECT_EQ(Replace(std::string(254, 'x') + "ab", "b", "cc"), std::string(254, 'x') + "a");
}

// Texts written over others are the same bytes whatever the lengths, both ways.
TEST(Strings, CopiedTextsAreWholeAtEveryLength) {
    const std::string source = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGH";
    for (std::size_t from = 0; from <= 40; ++from) {
        for (std::size_t to = 0; to <= 40; to += 3) {
            std::string text(to, '#');
            CopyText(text, std::string_view(source).substr(0, from));
            ASSERT_EQ(text, source.substr(0, from)) << from << " over " << to;
        }
    }
}

TEST(Strings, TrimAndPadding) {
    EXPECT_EQ(Trim(" \t ab c\t "), "ab c");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadLeft("ab", 4), "  ab");
    EXPECT_EQ(PadLeft("abcde", 4), "abcde");
    EXPECT_EQ(PadRight("ab", -3), "ab");
    // Any width a script gives comes to a value's length, with no more memory than that.
    EXPECT_EQ(PadRight("ab", 2147483647), "ab" + std::string(253, ' '));
    EXPECT_EQ(PadLeft("ab", 2147483647), std::string(255, ' '));
    EXPECT_EQ(PadLeft("ab", 256), std::string(254, ' ') + "a");
}

TEST(Strings, IsNumberAcceptsOnlyPlainDecimals) {
    for (const char* yes : {"12", "-1.5", "-", "0"}) EXPECT_EQ(IsNumber(yes), 1) << yes;
    for (const char* no : {".5", "5.", "1.2.3", "+1", "1e3", " 1", ""}) EXPECT_EQ(IsNumber(no), 0) << no;
}

TEST(Strings, NumbersReadLikeTheCRuntime) {
    EXPECT_EQ(TextToInt("3.9"), 3);
    EXPECT_EQ(TextToInt("  -42x"), -42);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt("99999999999"), 2147483647);
    EXPECT_EQ(TextToInt("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(TextToInt("2147483648"), 2147483647);
    EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(TextToInt64(" +10000000001.9x"), 10000000001);
    EXPECT_EQ(TextToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(TextToInt64("99999999999999999999"), INT64_MAX);
    EXPECT_EQ(TextToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(TextToInt64("-99999999999999999999"), INT64_MIN);
    EXPECT_EQ(TextToInt64("-0"), 0);
    EXPECT_DOUBLE_EQ(TextToNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(TextToNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(TextToNumber("+2.5e2x"), 250.0);
    EXPECT_DOUBLE_EQ(TextToNumber("1e"), 1.0);
    EXPECT_DOUBLE_EQ(TextToNumber("0x10"), 0.0);
}

TEST(Strings, NumberTextCutsTrailingZeros) {
    EXPECT_EQ(NumberText(2.5), "2.5");
    EXPECT_EQ(NumberText(3), "3");
    EXPECT_EQ(NumberText(100), "100");
    EXPECT_EQ(NumberText(0.0000001), "0");
    EXPECT_EQ(NumberText(-0.0000001), "-0");
    EXPECT_EQ(NumberText(2.0 / 3), "0.666667");
    EXPECT_EQ(NumberText(1e20), "100000000000000000000");
    EXPECT_EQ(NumberText(1e300).size(), 255u);
    EXPECT_EQ(IntText(-7), "-7");
}

TEST(Strings, HexadecimalValuesWrapAt32Bits) {
    EXPECT_EQ(HexValue("0x1F"), 31u);
    EXPECT_EQ(HexValue("ffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(HexValue("100000000"), 0u);
    EXPECT_EQ(IntegerPower(16, 0), 1u);
}

TEST(Strings, IsENAcceptsNameCharacters) {
    EXPECT_EQ(IsPlainName("ab_1.x"), 1);
    EXPECT_EQ(IsPlainName(""), 1);
    EXPECT_EQ(IsPlainName("aB"), 0);
    EXPECT_EQ(IsPlainName("a-b"), 0);
}

}  // namespace ml
