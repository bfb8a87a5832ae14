// The Linux host: locale to code page, Traditional to Simplified, the ANSI form of
// console attributes, and the console on redirected streams and on a real
// pseudo-terminal (key decoding, echo, terminal settings given back).
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/posix/posix_codepage.h"
#include "platform/posix/posix_console.h"
#include "platform/posix/posix_terminal.h"

namespace ml {
namespace {

// ---- Locale and code pages -------------------------------------------------

// Clears the locale variables for one test and puts the user's values back after.
class ScopedLocale {
public:
    ScopedLocale() {
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(kNames[i]);
            if (value != nullptr) saved_[i] = value;
            unsetenv(kNames[i]);
        }
    }
    ~ScopedLocale() {
        for (int i = 0; i < 3; ++i) {
            if (saved_[i]) setenv(kNames[i], saved_[i]->c_str(), 1);
            else unsetenv(kNames[i]);
        }
    }
    void set(const char* name, const char* value) { setenv(name, value, 1); }

private:
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::optional<std::string> saved_[3];
};

TEST(PosixCodePage, ChineseRegionsChooseTheirWindowsCodePage) {
    ScopedLocale locale;
    PosixCodePage codePage;
    const struct { const char* lang; unsigned expected; } cases[] = {
        {"zh_TW.UTF-8", 950}, {"zh_HK.Big5-HKSCS", 950}, {"zh_CN.UTF-8", 936},
        {"zh_SG.GBK", 936},   {"en_US.UTF-8", 1252},     {"C", 1252},
        {"zh", 1252},          {"C.UTF-8", 1252},
    };
    for (const auto& c : cases) {
        locale.set("LANG", c.lang);
        EXPECT_EQ(codePage.ansiCodePage(), c.expected) << c.lang;
    }
}

TEST(PosixCodePage, NoLocaleAtAllMeansWesternCodePage) {
    ScopedLocale locale;
    EXPECT_EQ(PosixCodePage().ansiCodePage(), 1252u);
}

TEST(PosixCodePage, LocaleVariablesAreAskedInTheCLibrarysOrder) {
    ScopedLocale locale;
    PosixCodePage codePage;
    locale.set("LANG", "zh_TW.UTF-8");
    locale.set("LC_CTYPE", "zh_CN.UTF-8");
    EXPECT_EQ(codePage.ansiCodePage(), 936u) << "LC_CTYPE overrides LANG";
    locale.set("LC_ALL", "en_GB.UTF-8");
    EXPECT_EQ(codePage.ansiCodePage(), 1252u) << "LC_ALL overrides both";
    locale.set("LC_ALL", "");
    EXPECT_EQ(codePage.ansiCodePage(), 936u) << "an empty LC_ALL counts as unset";
}

TEST(PosixCodePage, ToSimplifiedMapsTraditionalCharacters) {
    PosixCodePage codePage;
    EXPECT_EQ(codePage.toSimplified("資料"), "资料");
    EXPECT_EQ(codePage.toSimplified("內存"), "内存");
    EXPECT_EQ(codePage.toSimplified("錯誤：檔案內沒有資料"), "错误：档案内没有资料");
}

TEST(PosixCodePage, ToSimplifiedLeavesAsciiAndEmptyTextAlone) {
    PosixCodePage codePage;
    EXPECT_EQ(codePage.toSimplified("Ranks: 12 -> 40 = 28\n"), "Ranks: 12 -> 40 = 28\n");
    EXPECT_EQ(codePage.toSimplified("Error  : 找不到: End Def"), "Error  : 找不到: End Def");
    EXPECT_EQ(codePage.toSimplified(""), "");
}

// ---- ANSI sequences ----------------------------------------------------------

TEST(AnsiAttribute, WindowsColourOrderBecomesAnsiOrder) {
    EXPECT_EQ(AnsiAttribute(0x00), "\x1b[30;40m");  // black
    EXPECT_EQ(AnsiAttribute(0x01), "\x1b[34;40m");  // blue
    EXPECT_EQ(AnsiAttribute(0x02), "\x1b[32;40m");  // green
    EXPECT_EQ(AnsiAttribute(0x03), "\x1b[36;40m");  // aqua
    EXPECT_EQ(AnsiAttribute(0x04), "\x1b[31;40m");  // red
    EXPECT_EQ(AnsiAttribute(0x05), "\x1b[35;40m");  // purple
    EXPECT_EQ(AnsiAttribute(0x06), "\x1b[33;40m");  // yellow
}

TEST(AnsiAttribute, IntensityBitSelectsTheBrightCodes) {
    EXPECT_EQ(AnsiAttribute(0x08), "\x1b[90;40m");  // grey
    EXPECT_EQ(AnsiAttribute(0x09), "\x1b[94;40m");
    EXPECT_EQ(AnsiAttribute(0x0C), "\x1b[91;40m");
    EXPECT_EQ(AnsiAttribute(0x0F), "\x1b[97;40m");
}

TEST(AnsiAttribute, HighNibbleIsTheBackground) {
    EXPECT_EQ(AnsiAttribute(0x1E), "\x1b[93;44m");  // yellow on blue
    EXPECT_EQ(AnsiAttribute(0x4F), "\x1b[97;41m");
    EXPECT_EQ(AnsiAttribute(0xF0), "\x1b[30;107m");
    EXPECT_EQ(AnsiAttribute(0x70), "\x1b[30;47m");
}

TEST(AnsiAttribute, NormalColoursGiveTheTerminalItsDefaultsBack) {
    EXPECT_EQ(AnsiAttribute(0x07), "\x1b[0m");
    EXPECT_EQ(AnsiAttribute(0x8007), "\x1b[0m");
    EXPECT_EQ(AnsiAttribute(0x810C), "\x1b[91;40m") << "bits above the colours are ignored";
}

TEST(AnsiCursor, CellsAreZeroBasedAndRowComesFirst) {
    EXPECT_EQ(AnsiCursorMove(0, 0), "\x1b[1;1H");
    EXPECT_EQ(AnsiCursorMove(79, 24), "\x1b[25;80H");
}

TEST(AnsiCursor, CoordinatesAreSixteenBitAndNegativeCellsAreRefused) {
    EXPECT_EQ(AnsiCursorMove(65536 + 3, 2), "\x1b[3;4H");
    EXPECT_EQ(AnsiCursorMove(-1, 0), "");
    EXPECT_EQ(AnsiCursorMove(0, 40000), "");  // -25536 as a 16-bit cell number
}

// ---- Key sequences -------------------------------------------------------------

TEST(KeySequence, CursorAndEditingKeysComeWithPrefix224) {
    const struct { const char* sequence; int code; } cases[] = {
        {"[A", 72},   {"[B", 80},   {"[D", 75},   {"[C", 77},   {"OA", 72},   {"[H", 71},
        {"[F", 79},   {"OH", 71},   {"[1~", 71},  {"[7~", 71},  {"[4~", 79},  {"[8~", 79},
        {"[5~", 73},  {"[6~", 81},  {"[2~", 82},  {"[3~", 83},  {"[1;5A", 72}, {"[3;2~", 83},
    };
    for (const auto& c : cases) {
        const auto key = DecodeKeySequence(c.sequence);
        ASSERT_TRUE(key.has_value()) << c.sequence;
        EXPECT_EQ(key->prefix, 224) << c.sequence;
        EXPECT_EQ(key->code, c.code) << c.sequence;
    }
}

TEST(KeySequence, FunctionKeysOneToTenComeWithPrefix0) {
    const struct { const char* sequence; int code; } cases[] = {
        {"OP", 59},   {"OQ", 60},   {"OR", 61},   {"OS", 62},   {"[11~", 59}, {"[15~", 63},
        {"[17~", 64}, {"[21~", 68}, {"[[A", 59},  {"[[E", 63},  {"[1;2P", 59},
    };
    for (const auto& c : cases) {
        const auto key = DecodeKeySequence(c.sequence);
        ASSERT_TRUE(key.has_value()) << c.sequence;
        EXPECT_EQ(key->prefix, 0) << c.sequence;
        EXPECT_EQ(key->code, c.code) << c.sequence;
    }
}

TEST(KeySequence, ElevenAndTwelveComeWithPrefix224) {
    ASSERT_TRUE(DecodeKeySequence("[23~").has_value());
    EXPECT_EQ(DecodeKeySequence("[23~")->prefix, 224);
    EXPECT_EQ(DecodeKeySequence("[23~")->code, 133);
    EXPECT_EQ(DecodeKeySequence("[24~")->code, 134);
}

TEST(KeySequence, OtherSequencesAreNoKey) {
    for (const char* sequence : {"", "[", "[Z", "[16~", "[200~", "x", "O", "[[Z", "[~"}) {
        EXPECT_FALSE(DecodeKeySequence(sequence).has_value()) << sequence;
    }
}

TEST(KeySequence, ReadingStopsAtTheFinalByte) {
    EXPECT_FALSE(KeySequenceComplete(""));
    EXPECT_FALSE(KeySequenceComplete("["));
    EXPECT_FALSE(KeySequenceComplete("[1;5"));
    EXPECT_FALSE(KeySequenceComplete("[["));
    EXPECT_FALSE(KeySequenceComplete("O"));
    EXPECT_TRUE(KeySequenceComplete("[1;5A"));
    EXPECT_TRUE(KeySequenceComplete("[15~"));
    EXPECT_TRUE(KeySequenceComplete("[[B"));
    EXPECT_TRUE(KeySequenceComplete("OP"));
    EXPECT_TRUE(KeySequenceComplete("x"));
}

// ---- Console on redirected streams ------------------------------------------

// A temporary file holding the given bytes, positioned at its start.
std::FILE* fileWith(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
}

// What reached the file's descriptor (not what still sits in the stream's buffer).
std::string bytesOnDisk(std::FILE* file) {
    std::string bytes;
    char buffer[512];
    for (off_t at = 0;;) {
        const ssize_t count = pread(fileno(file), buffer, sizeof buffer, at);
        if (count <= 0) return bytes;
        bytes.append(buffer, static_cast<std::size_t>(count));
        at += count;
    }
}

class RedirectedConsole : public ::testing::Test {
protected:
    void feed(const std::string& bytes) {
        std::fclose(in);
        in = fileWith(bytes);
        console.emplace(in, out);
    }
    std::string written() {
        std::fflush(out);
        return bytesOnDisk(out);
    }
    ~RedirectedConsole() override {
        std::fclose(in);
        std::fclose(out);
    }

    std::FILE* in = fileWith("");
    std::FILE* out = std::tmpfile();
    std::optional<PosixConsole> console{std::in_place, in, out};
};

TEST_F(RedirectedConsole, OutputCarriesTextButNoAttributesOrPositions) {
    console->write("a");
    console->setAttribute(0x1E);
    console->write("b");
    console->moveCursor(3, 4);
    console->clearScreen();
    console->write(std::string_view("c\0d", 3));
    EXPECT_EQ(written(), std::string("abc\0d", 5));
}

TEST_F(RedirectedConsole, LinesLoseTheirLineEndsAndCrLfCountsAsOne) {
    const std::string longLine(5000, 'x');
    feed("abc\r\n\ndef\n" + longLine + "\nlast");
    std::string line;
    ASSERT_TRUE(console->readLine(line));
    EXPECT_EQ(line, "abc");
    ASSERT_TRUE(console->readLine(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(console->readLine(line));
    EXPECT_EQ(line, "def");
    ASSERT_TRUE(console->readLine(line));
    EXPECT_EQ(line, longLine);
    ASSERT_TRUE(console->readLine(line)) << "a last line without line end is still a line";
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(console->readLine(line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(console->readLine(line));
}

TEST_F(RedirectedConsole, KeysAreTheRawBytesThenMinusOne) {
    feed("a\x1b[A\n");
    for (int expected : {97, 27, 91, 65, 10, -1, -1}) EXPECT_EQ(console->readKey(), expected);
}

TEST_F(RedirectedConsole, ReadingFlushesPendingOutputFirst) {
    feed("key\n");
    console->write("prompt: ");
    console->readKey();
    EXPECT_EQ(bytesOnDisk(out), "prompt: ");
}

TEST_F(RedirectedConsole, PausePrintsThePromptAloneAndTakesOneByte) {
    feed("xyz\n");
    console->write(">");
    console->pause();
    EXPECT_EQ(bytesOnDisk(out), ">Press any key to continue... ");
    std::string line;
    ASSERT_TRUE(console->readLine(line));
    EXPECT_EQ(line, "yz");
}

TEST_F(RedirectedConsole, PauseAtEndOfInputReturns) {
    console->pause();
    std::string line;
    EXPECT_FALSE(console->readLine(line));
    EXPECT_EQ(written(), "Press any key to continue... ");
}

TEST(PosixConsolePipe, PauseNeverWaitsForAWriterAndLeavesInputBlocking) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::FILE* in = fdopen(pipeEnds[0], "r");
    std::FILE* out = std::tmpfile();
    {
        PosixConsole console(in, out);
        // The write end is open and empty. Should the pause wait anyway, a byte
        // sent after two seconds releases it, and the test fails instead of hanging.
        std::atomic<bool> returned{false};
        std::thread pausing([&] {
            console.pause();
            returned = true;
        });
        for (int i = 0; i < 2000 && !returned; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const bool waited = !returned;
        if (waited) (void)::write(pipeEnds[1], "!", 1);
        pausing.join();
        EXPECT_FALSE(waited);
        EXPECT_EQ(fcntl(pipeEnds[0], F_GETFL) & O_NONBLOCK, 0);
        EXPECT_FALSE(std::ferror(in));
        ASSERT_EQ(::write(pipeEnds[1], "q", 1), 1);
        EXPECT_EQ(console.readKey(), 'q');
    }
    close(pipeEnds[1]);
    std::fclose(in);
    std::fclose(out);
}

TEST_F(RedirectedConsole, CommandsSeeEarlierOutputAndGiveTheirExitStatus) {
    console->write("before");
    EXPECT_EQ(console->runCommand("exit 3"), 3);
    EXPECT_EQ(bytesOnDisk(out), "before");
    EXPECT_EQ(console->runCommand("true"), 0);
}

TEST_F(RedirectedConsole, PauseAndClsAreTheInterpretersBuiltIns) {
    feed("k");
    EXPECT_EQ(console->runCommand(" PAUSE "), 0);
    EXPECT_EQ(console->runCommand("cls"), 0);
    EXPECT_EQ(written(), "Press any key to continue... ");
    EXPECT_EQ(console->readKey(), -1) << "the pause took the one byte";
}

// ---- Console on a terminal ----------------------------------------------------

// A pseudo-terminal: the console reads and writes the terminal side, the test
// types on and reads from the other side, as a user and their screen would.
class TerminalConsole : public ::testing::Test {
protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) GTEST_SKIP() << "no pseudo-terminals";
        terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
        ASSERT_GE(terminal, 0);
        in = fdopen(dup(terminal), "r");
        out = fdopen(dup(terminal), "w");
        console.emplace(in, out);
    }
    void TearDown() override {
        console.reset();
        if (in != nullptr) std::fclose(in);
        if (out != nullptr) std::fclose(out);
        if (terminal >= 0) close(terminal);
        if (master >= 0) close(master);
    }

    // Types the bytes once the console has put the terminal into single-key mode,
    // so that the line discipline sees them with the console's settings. Should
    // the console never return, a '!' follows to end the read with a failure.
    template <typename Read>
    auto typeDuring(const std::string& bytes, Read read) {
        std::atomic<bool> done{false};
        std::thread typist([&] {
            termios mode{};
            for (int i = 0; i < 2000; ++i) {
                if (tcgetattr(terminal, &mode) == 0 && (mode.c_lflag & ICANON) == 0) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            (void)::write(master, bytes.data(), bytes.size());
            for (int i = 0; i < 2000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (!done) (void)::write(master, "!\n", 2);
        });
        auto result = read();
        done = true;
        typist.join();
        return result;
    }
    int typeKey(const std::string& bytes) {
        return typeDuring(bytes, [&] { return console->readKey(); });
    }
    // Whatever the terminal has shown since the last call.
    std::string screen() {
        std::string shown;
        pollfd request{master, POLLIN, 0};
        char buffer[256];
        while (poll(&request, 1, 100) > 0) {
            const ssize_t count = ::read(master, buffer, sizeof buffer);
            if (count <= 0) break;
            shown.append(buffer, static_cast<std::size_t>(count));
        }
        return shown;
    }

    int master = -1;
    int terminal = -1;
    std::FILE* in = nullptr;
    std::FILE* out = nullptr;
    std::optional<PosixConsole> console;
};

TEST_F(TerminalConsole, OutputGetsSequencesWhereTheyWereSet) {
    console->write("a");
    console->setAttribute(0x1E);
    console->write("b");
    console->moveCursor(2, 0);
    console->clearScreen();
    console->flush();
    EXPECT_EQ(screen(), "a\x1b[93;44mb\x1b[1;3H\x1b[2J\x1b[H");
}

TEST_F(TerminalConsole, ArrowKeyGivesPrefixThenCode) {
    EXPECT_EQ(typeKey("\x1b[A"), 224);
    EXPECT_EQ(console->readKey(), 72) << "the code comes without another key press";
    EXPECT_EQ(typeKey("\x1bOP"), 0);
    EXPECT_EQ(console->readKey(), 59);
}

TEST_F(TerminalConsole, EnterBackspaceAndControlKeysGiveWindowsCodes) {
    EXPECT_EQ(typeKey("\r"), 13);
    EXPECT_EQ(typeKey("\x7f"), 8);
    EXPECT_EQ(typeKey("\x03"), 3);
    EXPECT_EQ(typeKey("\x13"), 19);
}

TEST_F(TerminalConsole, EscapeAloneIsEscape) {
    EXPECT_EQ(typeKey("\x1b"), 27);
    EXPECT_EQ(typeKey("z"), 'z');
}

TEST_F(TerminalConsole, KeysAreNotEchoedAndTheSettingsComeBack) {
    termios before{};
    ASSERT_EQ(tcgetattr(terminal, &before), 0);
    EXPECT_EQ(typeKey("s"), 's');
    EXPECT_EQ(screen(), "");
    termios after{};
    ASSERT_EQ(tcgetattr(terminal, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);
    EXPECT_EQ(after.c_cc[VTIME], before.c_cc[VTIME]);
}

TEST_F(TerminalConsole, PauseWaitsForOneWholeKeyAndEndsTheLine) {
    typeDuring("\x1b[B", [&] {
        console->pause();
        return 0;
    });
    EXPECT_EQ(screen(), "Press any key to continue... \r\n");
    EXPECT_EQ(typeKey("n"), 'n') << "no part of the arrow key is left over";
}

}  // namespace
}  // namespace ml
