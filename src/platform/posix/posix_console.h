// The Linux console: standard streams, ANSI sequences for what the Windows console
// does through its own calls, and termios for single key presses.
#pragma once

#include <cstdio>
#include <string_view>

#include "platform/platform.h"

namespace ml {

// The Windows build's pause prompt, byte for byte as its command interpreter prints
// it under Wine, so that the redirected output of the two builds compares equal.
inline constexpr std::string_view kPausePrompt = "Press any key to continue... ";
// That interpreter ends no line after the key; on a terminal we do, so the next
// output (often the shell's prompt, since pause precedes the end) starts clean.
inline constexpr std::string_view kPauseTerminalLineEnd = "\n";

class PosixConsole final : public Console {
public:
    // Colours and cursor sequences go to output only when it is a terminal; keys
    // are read raw only when input is a terminal. Both are decided here, once.
    PosixConsole(std::FILE* input, std::FILE* output);

    void write(std::string_view bytes) override;
    void clearScreen() override;
    void moveCursor(int column, int row) override;
    void setAttribute(std::uint16_t attribute) override;
    bool readLine(std::string& line) override;
    int readKey() override;
    // "pause" and "cls" are built into the Windows command interpreter and scripts
    // call them through it; sh has neither, so they are done here.
    int runCommand(const std::string& command) override;
    void pause() override;
    void flush() override;
    void writeError(std::string_view bytes) override;
    bool outputFailed() override;

private:
    void writeToTerminal(std::string_view sequence);
    int readTerminalKey();

    std::FILE* input_;
    std::FILE* output_;
    bool inputIsTerminal_;
    bool outputIsTerminal_;
    // The key code still owed after a prefix 0 or 224 was handed out.
    int pendingKey_ = -1;
};

}  // namespace ml
