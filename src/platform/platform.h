// The only door from the interpreter to the operating system. Every subsystem
// talks to these small interfaces; the Windows and Linux builds each supply one
// implementation of every interface, and the unit tests supply recording fakes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ml {

// The text console: standard output, standard input and the command interpreter.
class Console {
public:
    virtual ~Console() = default;
    // Writes the bytes unchanged (no format interpretation, no newline translation
    // beyond what the C runtime does for a text-mode standard output).
    virtual void write(std::string_view bytes) = 0;
    // Blanks every cell of the screen buffer and puts the cursor at the top-left cell.
    // Cell attributes are left as they are.
    virtual void clearScreen() = 0;
    // Moves the cursor to the 0-based cell (column, row).
    virtual void moveCursor(int column, int row) = 0;
    // Sets the attribute of text written from now on: foreground | background << 4.
    virtual void setAttribute(std::uint16_t attribute) = 0;
    // Reads one line from standard input, without its line end. A last line without a
    // line end counts as a line; false only when input had ended before anything was read.
    virtual bool readLine(std::string& line) = 0;
    // Reads one key press without echo. Arrow and function keys give 0 or 224 first,
    // then their code. Returns -1 when standard input has ended.
    virtual int readKey() = 0;
    // Runs a command through the command interpreter and returns its status.
    virtual int runCommand(const std::string& command) = 0;
    // Shows the system's "press any key" prompt and waits for a key. Returns at once
    // when standard input is not a terminal that can deliver a key.
    virtual void pause() = 0;
    // Pushes buffered output to the device.
    virtual void flush() = 0;
};

// Code pages: which one the system uses, and the conversions of Chinese texts.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The ANSI code page: 936 Simplified Chinese, 950 Traditional Chinese, else e.g. 1252.
    virtual unsigned ansiCodePage() = 0;
    // Turns a message text written in UTF-8 in the sources into the bytes the console
    // shows: Big5 on Windows, the locale's encoding (UTF-8) on Linux.
    virtual std::string fromUtf8(std::string_view utf8) = 0;
    // Traditional to Simplified Chinese: Big5 in, GBK out on Windows; UTF-8 in, UTF-8
    // out on Linux. ASCII text passes through unchanged in content.
    virtual std::string toSimplified(std::string_view traditional) = 0;
};

// The services of one host, handed to the interpreter object.
struct Platform {
    Console& console;
    CodePage& codePage;
};

// The host's own services (implemented once per operating system).
Platform& hostPlatform();

}  // namespace ml
