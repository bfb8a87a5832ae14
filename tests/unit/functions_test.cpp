#include <gtest/gtest.h>

#include "test_run.h"

namespace ml {

namespace {

constexpr std::string_view kTwoClasses =
    "Class: A\nDef: f()\nReturn \"a.f\"\nEnd Def\nEnd Class\n"
    "Class: B\nDef: f()\nReturn \"b.f\"\nEnd Def\nEnd Class\n";

// A table already holding as many objects as a program has lines.
void FillObjects(TestRun& t) {
    auto& objects = t.in->calls.objects;
    for (int k = 0; objects.size() < 8192; ++k) objects.emplace_back("o" + std::to_string(k) + ".", "a");
}

}  // namespace

TEST(UserFunctions, AnAliasBoundAgainKeepsItsFirstClassAndItsOneEntry) {
    TestRun t;
    t.run(std::string(kTwoClasses) + "~J(A).new\n~J(B).new\n~K(B).new\n~J(A).new\n~Dos.Print(~J.f() ~K.f())\n");
    EXPECT_EQ(t.out(), "a.fb.f");
    EXPECT_EQ(t.in->calls.objects.size(), 2u);
}

TEST(UserFunctions, AFullObjectTableTakesNoNewAliasButStillRebindsAKnownOne) {
    TestRun known;
    FillObjects(known);
    known.run(std::string(kTwoClasses) + "~O7(B).new\n~Dos.Print(~O7.f())\n");
    EXPECT_EQ(known.out(), "a.f");

    TestRun fresh;
    FillObjects(fresh);
    fresh.run(std::string(kTwoClasses) + "~Fresh(B).new\n");
    EXPECT_EQ(fresh.out(), Report(11, "Object table is full: fresh.", "\x07~fresh(b).new"));
}

}  // namespace ml
