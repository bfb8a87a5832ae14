#include <gtest/gtest.h>

#include "frontend/banner.h"
#include "core/console.h"
#include "frontend/report.h"
#include "test_run.h"

namespace ml {

TEST(DisplayLanguage, AutoFollowsTheCodePageAtEveryCall) {
    TestRun t;
    for (auto [page, chinese] : {std::pair{1252u, 0}, {950u, 1}, {936u, 1}, {437u, 0}}) {
        t.fake.codePage.codePage = page;
        EXPECT_EQ(ShowsChinese(*t.in), chinese) << page;
    }
    t.in->language = '2';
    t.fake.codePage.codePage = 950;
    EXPECT_EQ(ShowsChinese(*t.in), 0);
    t.in->language = '3';
    t.fake.codePage.codePage = 1252;
    EXPECT_EQ(ShowsChinese(*t.in), 1);
}

TEST(DisplayLanguage, OnlyCodePage936ConvertsToSimplified) {
    TestRun t;
    t.fake.codePage.codePage = 950;
    EXPECT_EQ(SimplifiedForGbConsole(*t.in, "資料"), "資料");
    t.fake.codePage.codePage = 936;
    EXPECT_EQ(SimplifiedForGbConsole(*t.in, "資料"), "[simplified]資料");
}

TEST(ErrorReport, ColouredLabelsAndTheLinePlusOne) {
    TestRun t;
    t.guard([&] { FailAt(kNoEntry, "100% sure", "text %s %d"); });
    EXPECT_TRUE(t.ended);
    EXPECT_EQ(t.fake.console.transcript,
              "{attr 10}\nRanks  : {attr 15}-1\n{attr 14}Message: {attr 15}100% sure\n"
              "{attr 12}Error  : {attr 15}text %s %d\n{attr 7}{pause}");
}

TEST(ErrorReport, ChineseLabelsAndTextsPassThroughBig2Gb) {
    TestRun t;
    t.in->language = '3';
    t.fake.codePage.codePage = 936;
    t.load("$a = (1))\n");
    EXPECT_EQ(t.out(), "[simplified]\n行列：1\n[simplified]訊息：[simplified]符號缺失和不尋常\n"
                       "[simplified]錯誤：[simplified]$a = (1))\n\n");
}

TEST(ErrorReport, ChineseOnAWesternCodePageIsPrintedUnconverted) {
    TestRun t;
    t.in->language = '3';
    t.load("End\n");
    EXPECT_EQ(t.out(), "\n行列：1\n訊息：End -> Cmp\n錯誤：找不到: Cmp\n");
    EXPECT_TRUE(t.fake.codePage.simplified.empty());
}

TEST(ConsolePrimitives, CursorAndAttributes) {
    TestRun t;
    MoveCursorTo(*t.in, 1, 1);
    MoveCursorTo(*t.in, 0x10005, 3);
    SetTextColour(*t.in, 14, 1);
    SetTextColour(*t.in, 15, 4);
    ClearScreen(*t.in);
    EXPECT_EQ(t.fake.console.log,
              (std::vector<std::string>{"cursor 0,0", "cursor 4,2", "attr 30", "attr 79", "clear"}));
}

TEST(Banner, NameVersionAndDateInTheirColours) {
    TestRun t;
    ShowBanner(*t.in);
    EXPECT_EQ(t.fake.console.transcript,
              "{clear}{attr 12}M{attr 4}orrow{attr 14}l{attr 6}ark {attr 15}64-Bit{attr 11} ( {attr 10}V"
              "{attr 2}ersion {attr 15}1.4.4{attr 13}  D{attr 5}ate {attr 15}2014.04.01{attr 11} )\n{attr 7}");
    TestRun chinese;
    chinese.in->language = '3';
    ShowBanner(*chinese.in);
    EXPECT_EQ(chinese.out(), "明日雲雀 64-Bit ( Version 1.4.4  Date 2014.04.01 )\n");
}

}  // namespace ml
