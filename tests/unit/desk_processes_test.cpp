// The desk module's process functions on the recording fake: what they ask of the
// platform, the values they give, and the ids and failures they refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;

}  // namespace

TEST(DeskRun, StartsTheCommandAndGivesItsIdAsAValueOrAsAStatementWithoutADisplay) {
    TestRun t;
    t.fake.desktop.display = {false, "DISPLAY=:7"};
    t.run("#Import <desk>\n#Import <dos>\n$p = ~Run(\"xlogo -geometry 90x90 && echo 'done'\")\n~Run(\"true\")\n"
          "~Print($p \",\" ~Run(\"x\"))\n~RunWait(\"y\", 5)\n~Kill(500)\n");
    EXPECT_EQ(t.out(), "500,502");
    EXPECT_EQ(t.fake.processes.log, (Log{"start xlogo -geometry 90x90 && echo 'done'", "start true", "start x",
                                         "start y", "wait 503 5", "end 500"}));
}

TEST(DeskRun, ACommandThatCannotStartEndsTheRunNamingIt) {
    TestRun run;
    run.fake.processes.startable = false;
    run.run("$p = ~Desk.Run(\"no-such-program -x\")\n");
    EXPECT_EQ(run.out(), Report(1, "~Desk.Run -> Can not start the program: no-such-program -x", run.entry(0)));
    TestRun wait;
    wait.fake.processes.startable = false;
    wait.run("~Desk.RunWait(\"missing.exe\", 100)\n");
    EXPECT_EQ(wait.out(), Report(1, "~Desk.RunWait -> Can not start the program: missing.exe", wait.entry(0)));
    EXPECT_EQ(wait.fake.processes.log, (Log{"start missing.exe"}));
    TestRun chinese;
    chinese.in->language = '3';
    chinese.fake.processes.startable = false;
    chinese.run("$p = ~Desk.Run(\"x\")\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.Run -> 無法啟動程式: x\n錯誤：" + chinese.entry(0) + "\n");
}

TEST(DeskRunWait, GivesTheExitStatusOrMinusOneWhenTheTimeRanOut) {
    TestRun t;
    t.fake.processes.exitStatus = {{500, 7}, {502, 0}, {503, 4294967295}};
    t.run("#Import <desk>\n#Import <dos>\n$a = ~RunWait(\"sh -c 'exit 7'\", 1000)\n$b = ~RunWait(\"sleep 9\", 20)\n"
          "$c = ~RunWait(\"true\", -5)\n$d = ~RunWait(\"crash.exe\", 99999999999)\n~Print($a \",\" $b \",\" $c \",\" $d)\n");
    // A Windows exit code is unsigned, so none reads as the -1 of a time that ran out.
    EXPECT_EQ(t.out(), "7,-1,0,4294967295");
    EXPECT_EQ(t.fake.processes.log, (Log{"start sh -c 'exit 7'", "wait 500 1000", "start sleep 9", "wait 501 20",
                                         "start true", "wait 502 0", "start crash.exe", "wait 503 2147483647"}));
}

TEST(DeskKill, GivesOneForAnEndedProcessAndZeroForNone) {
    TestRun t;
    t.fake.processes.endings = {{500, ProcessEnd::Ended}, {4294967295, ProcessEnd::Ended}};
    t.run("#Import <desk>\n#Import <dos>\n~Print(~Kill(4294967295) ~Kill(\"600\") ~Kill(500))\n~Kill(700)\n");
    EXPECT_EQ(t.out(), "101");
    EXPECT_EQ(t.fake.processes.log, (Log{"end 500", "end 600", "end 4294967295", "end 700"}));
}

// 0 and -1 would signal a process group or every process the program may reach: no
// process has such an id, and none is asked for.
TEST(DeskKill, IdsThatNameNoProcessGiveZeroWithoutAskingTheSystem) {
    TestRun t;
    t.run("#Import <desk>\n#Import <dos>\n~Print(~Kill(0) ~Kill(-1) ~Kill(-500) ~Kill(\"abc\") ~Kill(4294967296))\n");
    EXPECT_EQ(t.out(), "00000");
    EXPECT_TRUE(t.fake.processes.log.empty());
}

TEST(DeskKill, AProcessThatCannotBeEndedAndProcessOneEndTheRunNamingThem) {
    TestRun init;
    init.run("$k = ~Desk.Kill(1)\n");
    EXPECT_EQ(init.out(), Report(1, "~Desk.Kill -> Can not end the process: 1", init.entry(0)));
    EXPECT_TRUE(init.fake.processes.log.empty());
    TestRun refused;
    refused.fake.processes.endings = {{4321, ProcessEnd::Refused}};
    refused.run("~Desk.Kill(4321)\n");
    EXPECT_EQ(refused.out(), Report(1, "~Desk.Kill -> Can not end the process: 4321", refused.entry(0)));
    TestRun chinese;
    chinese.in->language = '3';
    chinese.run("~Desk.Kill(1)\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.Kill -> 無法結束行程: 1\n錯誤：" + chinese.entry(0) + "\n");
}

}  // namespace ml
