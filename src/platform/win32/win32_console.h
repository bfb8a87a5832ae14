// The Windows console: the C runtime's standard streams for text, the console
// API for attributes, cursor and clearing, and the command interpreter.
#pragma once

#include "platform/platform.h"

namespace ml {

// Talks to the process's standard handles. When output is redirected there is no
// console buffer behind it; the console calls then fail, and that is no error:
// the text still goes out, without colours or positions.
class Win32Console final : public Console {
public:
    void write(std::string_view bytes) override;
    void clearScreen() override;
    void moveCursor(int column, int row) override;
    void setAttribute(std::uint16_t attribute) override;
    bool readLine(std::string& line) override;
    int readKey() override;
    int runCommand(const std::string& command) override;
    void pause() override;
    void flush() override;
    void writeError(std::string_view bytes) override;
    bool outputFailed() override;
};

}  // namespace ml
