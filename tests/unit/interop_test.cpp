#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;
using Positions = FakeNativeLibraries::Positions;

const char* Text(std::intptr_t position) { return reinterpret_cast<const char*>(position); }

// A run whose library "k.dll" exports f and g, and whose object has every method.
struct InteropRun : TestRun {
    InteropRun() { fake.native.exports["k.dll"] = {"f", "g"}; }
    // The report of a fatal error on the first line.
    std::string reportOnFirstLine(std::string_view message) const { return Report(1, message, entry(0)); }
};

}  // namespace

TEST(DllCall, NumbersGoAsIntegersAndEverythingElseAsText) {
    InteropRun t;
    std::vector<std::string> texts;
    t.fake.native.onCall = [&](const Positions& p) {
        texts = {Text(p[1]), Text(p[2]), Text(p[5])};
        return 0;
    };
    t.run("$r = ~DLLMsg(\"k.dll\", \"int\", \"f\", 12345, \"@12345\", @12345, -7, 1.9, \"text\")\n");
    const Positions& p = t.fake.native.lastArguments;
    EXPECT_EQ(p[0], 12345);
    EXPECT_EQ(p[3], -7);   // sign-extended to the width of a position
    EXPECT_EQ(p[4], 1);
    // "@" makes a number a text, and is not part of the text passed.
    EXPECT_EQ(texts, (std::vector<std::string>{"12345", "12345", "text"}));
    EXPECT_EQ(t.out(), "");
}

TEST(DllCall, AlwaysTenPositionsWithZerosAfterTheLastArgument) {
    InteropRun t;
    std::vector<Positions> calls;
    t.fake.native.onCall = [&](const Positions& p) {
        calls.push_back(p);
        return 0;
    };
    // The second call has fewer arguments than the first left in the argument slots.
    t.run("~DLLMsg(\"k.dll\", \"int\", \"f\", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10)\n"
          "~DLLMsg(\"k.dll\", \"int\", \"f\", 11, 12)\n"
          "~DLLMsg(\"k.dll\", \"int\", \"g\")\n");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], (Positions{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(calls[1], (Positions{11, 12}));
    EXPECT_EQ(calls[2], Positions{});
}

TEST(DllCall, TextArgumentIsAWritableBufferOfASlotsSize) {
    InteropRun t;
    t.fake.native.onCall = [&](const Positions& p) {
        char* buffer = reinterpret_cast<char*>(p[0]);
        std::memset(buffer, 'x', 767);
        buffer[767] = '\0';
        return 0;
    };
    t.run("~DLLMsg(\"k.dll\", \"int\", \"f\", \"ab\")\n~Dos.Print(\"after\")\n");
    EXPECT_EQ(t.out(), "after");
}

TEST(DllCall, IntResultIsTheLowThirtyTwoBitsInDecimal) {
    InteropRun t;
    t.fake.native.result = static_cast<std::intptr_t>(0x7FFFFFFF);
    t.run("~Dos.Print(~DLLMsg(\"k.dll\", \"int\", \"f\") \"|\")\n");
    t.fake.native.result = -7;
    t.run("~Dos.Print(~DLLMsg(\"k.dll\", \"int\", \"f\") \"|\")\n");
    t.fake.native.result = static_cast<std::intptr_t>(0x1'FFFF'FFFEll);   // upper bits are dropped
    t.run("~Dos.Print(~DLLMsg(\"k.dll\", \"int\", \"f\") \"|\")\n");
    EXPECT_EQ(t.out(), "2147483647|-7|-2|");
}

TEST(DllCall, TextResultIsCopiedAndCutToAValuesLength) {
    InteropRun t;
    const std::string longText(300, 'y');
    t.fake.native.result = reinterpret_cast<std::intptr_t>("from the library");
    t.run("~Dos.Print(~DLLMsg(\"k.dll\", \"char*\", \"f\") \"|\")\n");
    t.fake.native.result = 0;   // a null pointer
    t.run("~Dos.Print(~DLLMsg(\"k.dll\", \"char*\", \"f\") \"|\")\n");
    t.fake.native.result = reinterpret_cast<std::intptr_t>(longText.c_str());
    t.run("$s = ~DLLMsg(\"k.dll\", \"char*\", \"f\")\n~Dos.Print(~String.Len($s) \"|\")\n");
    // A result that points into an argument's text, read before the text goes away.
    t.fake.native.onCall = [](const Positions& p) { return p[0] + 2; };
    t.run("~Dos.Print(~DLLMsg(\"k.dll\", \"char*\", \"f\", \"a/b/c.txt\") \"|\")\n");
    EXPECT_EQ(t.out(), "from the library||255|b/c.txt|");
}

TEST(DllCall, StatementPositionCallsAndLeavesNothing) {
    InteropRun t;
    t.fake.native.result = 5;
    t.run("~DLLMsg(\"k.dll\", \"int\", \"f\", 1)\n~Dos.Print(\"next\")\n");
    EXPECT_EQ(t.fake.native.log, (Log{"load k.dll", "find f", "call f", "release"}));
    EXPECT_EQ(t.out(), "next");
}

TEST(DllCall, CountIsCheckedBeforeAnythingIsLoaded) {
    for (const char* line : {"~DLLMsg(\"k.dll\", \"int\")\n",
                             "~DLLMsg(\"k.dll\", \"int\", \"f\", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11)\n"}) {
        InteropRun t;
        t.run(line);
        EXPECT_EQ(t.out(), t.reportOnFirstLine("~DLLMsg -> Several parameters: 3 ~ 13")) << line;
        EXPECT_EQ(t.fake.native.log, Log{}) << line;
    }
}

TEST(DllCall, MissingLibraryIsReportedWithItsNameAndTheSystemsReason) {
    InteropRun t;
    t.run("~DLLMsg(\"no.dll\", \"int\", \"f\")\n");
    EXPECT_EQ(t.out(), t.reportOnFirstLine("1.Unable to load\n         2.Incompatible system\n"
                                           "         3.Check whether the correct DLL module: no.dll\n"
                                           "         System: not in the fake's list"));
    EXPECT_EQ(t.fake.native.log, (Log{"load no.dll"}));
}

TEST(DllCall, MissingFunctionReleasesTheLibraryFirst) {
    InteropRun t;
    t.run("$r = ~DLLMsg(\"k.dll\", \"int\", \"F\")\n");
    EXPECT_EQ(t.out(), t.reportOnFirstLine("Can not find the function name: k.dll -> F"));
    EXPECT_EQ(t.fake.native.log, (Log{"load k.dll", "find F", "release"}));
}

TEST(DllCall, ResultTypeIsCheckedAfterTheFunctionIsFoundAndBeforeTheCall) {
    InteropRun t;
    t.run("$r = ~DLLMsg(\"k.dll\", \"INT\", \"f\", 1)\n");
    EXPECT_EQ(t.out(), t.reportOnFirstLine("Data type error: INT"));
    EXPECT_EQ(t.fake.native.log, (Log{"load k.dll", "find f", "release"}));
}

TEST(DllCall, ChineseLoadMessageIndentsBySix) {
    InteropRun t;
    t.in->language = '3';
    t.run("~DLLMsg(\"no.dll\", \"int\", \"f\")\n");
    EXPECT_NE(t.out().find("訊息：1.無法加載\n      2.不相容的系統\n      3.檢查是否正確的DLL模塊: no.dll\n"),
              std::string::npos)
        << t.out();
}

TEST(ComCall, ArgumentsAreMirroredAndClassified) {
    InteropRun t;
    t.run("~COMMsg(\"a.b\", \"int\", \"m\", 1, 2.5, \"abc\", \"@12345\", @7, -3)\n");
    const std::vector<ComArgument>& a = t.fake.com.lastArguments;
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a[0].kind, ComArgument::Kind::Int);
    EXPECT_EQ(a[0].integer, -3);
    EXPECT_EQ(a[1].kind, ComArgument::Kind::Text);
    EXPECT_EQ(a[1].text, "7");
    EXPECT_EQ(a[2].kind, ComArgument::Kind::Text);
    EXPECT_EQ(a[2].text, "12345");
    EXPECT_EQ(a[3].kind, ComArgument::Kind::Text);
    EXPECT_EQ(a[3].text, "abc");
    EXPECT_EQ(a[4].kind, ComArgument::Kind::Double);
    EXPECT_EQ(a[4].real, 2.5);
    EXPECT_EQ(a[5].kind, ComArgument::Kind::Int);
    EXPECT_EQ(a[5].integer, 1);
    EXPECT_EQ(t.fake.com.log, (Log{"call a.b m"}));
}

TEST(ComCall, ThreeArgumentsCallWithNoMethodArguments) {
    InteropRun t;
    t.run("~COMMsg(\"a.b\", \"int\", \"m\", 1)\n~COMMsg(\"a.b\", \"int\", \"n\")\n");
    EXPECT_EQ(t.fake.com.log, (Log{"call a.b m", "call a.b n"}));
    EXPECT_TRUE(t.fake.com.lastArguments.empty());
}

TEST(ComCall, ResultIsReadAsTheScriptAsks) {
    InteropRun t;
    t.fake.com.result.integer = -5;
    t.fake.com.result.real = 3.5;
    t.fake.com.result.text = "name";
    t.run("~Dos.Print(~COMMsg(\"a.b\", \"int\", \"m\") \"|\" ~COMMsg(\"a.b\", \"dbl\", \"m\") \"|\" "
          "~COMMsg(\"a.b\", \"str\", \"m\") \"|\")\n");
    t.fake.com.result.text = std::string(300, 'z');
    t.run("$s = ~COMMsg(\"a.b\", \"str\", \"m\")\n~Dos.Print(~String.Len($s))\n");
    EXPECT_EQ(t.out(), "-5|3.5|name|255");
}

TEST(ComCall, WrongResultTypeIsReportedAfterTheMethodRan) {
    InteropRun t;
    t.run("$s = ~COMMsg(\"a.b\", \"string\", \"m\", 1)\n");
    EXPECT_EQ(t.fake.com.log, (Log{"call a.b m"}));
    EXPECT_EQ(t.out(), t.reportOnFirstLine("Data type error: string"));
}

TEST(ComCall, CountIsCheckedBeforeAnythingIsCreated) {
    InteropRun t;
    t.run("~COMMsg(\"a.b\", \"int\")\n");
    EXPECT_EQ(t.out(), t.reportOnFirstLine("~COMMsg -> Several parameters: 3 ~ 13"));
    EXPECT_EQ(t.fake.com.log, Log{});
}

TEST(ComCall, ObjectThatCannotBeCreatedGivesTheLoadMessage) {
    InteropRun t;
    t.fake.com.result.status = ComResult::Status::CannotCreate;
    t.run("~COMMsg(\"No.Such\", \"bad\", \"m\")\n");
    EXPECT_EQ(t.out(), t.reportOnFirstLine("1.Unable to load\n         2.Incompatible system\n"
                                           "         3.Not joined Registration\n"
                                           "         4.Check whether the correct COM component: No.Such"));
}

TEST(ComCall, MissingMethodGivesTheNameMessage) {
    InteropRun t;
    t.fake.com.result.status = ComResult::Status::NoMethod;
    t.run("~COMMsg(\"a.b\", \"bad\", \"m\")\n");
    EXPECT_EQ(t.out(), t.reportOnFirstLine("Can not find the function name: a.b -> m\n"
                                           "         2.Missing parameter is missing"));
    TestRun chinese;
    chinese.in->language = '3';
    chinese.fake.com.result.status = ComResult::Status::NoMethod;
    chinese.run("~COMMsg(\"a.b\", \"int\", \"m\")\n");
    EXPECT_NE(chinese.out().find("訊息：1.無法找到函式名: a.b -> m\n      2.缺少參數丟失\n"), std::string::npos)
        << chinese.out();
}

}  // namespace ml
