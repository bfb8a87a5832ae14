#include "platform/win32/win32_console.h"

#include <windows.h>
#include <conio.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ml {

namespace {

HANDLE OutputHandle() { return GetStdHandle(STD_OUTPUT_HANDLE); }

// _getch reads console input events only: with standard input redirected it
// reports -1 at once and never sees the redirected bytes. Reading those bytes
// instead lets a script take its keys from a file, as the Linux build does.
bool InputIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

}  // namespace

void Win32Console::write(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// The console calls below act on the screen at once while the runtime still holds
// earlier text in its buffer; every one of them flushes first so that text lands
// with the attribute and position that were current when it was written.

void Win32Console::clearScreen() {
    flush();
    const HANDLE output = OutputHandle();
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(output, &info)) return;
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD written = 0;
    FillConsoleOutputCharacterA(output, ' ', cells, COORD{0, 0}, &written);
    SetConsoleCursorPosition(output, COORD{0, 0});
}

void Win32Console::moveCursor(int column, int row) {
    flush();
    SetConsoleCursorPosition(OutputHandle(), COORD{static_cast<SHORT>(column), static_cast<SHORT>(row)});
}

void Win32Console::setAttribute(std::uint16_t attribute) {
    flush();
    SetConsoleTextAttribute(OutputHandle(), attribute);
}

bool Win32Console::readLine(std::string& line) {
    flush();
    line.clear();
    char chunk[256];
    bool readAny = false;
    // A line longer than the chunk arrives in pieces; keep reading to its end so the
    // next read starts on the next line.
    while (std::fgets(chunk, sizeof chunk, stdin) != nullptr) {
        readAny = true;
        const std::size_t length = std::strlen(chunk);
        if (length > 0 && chunk[length - 1] == '\n') {
            line.append(chunk, length - 1);
            return true;
        }
        line.append(chunk, length);
    }
    return readAny;
}

int Win32Console::readKey() {
    flush();
    if (InputIsConsole()) return _getch();
    const int c = std::fgetc(stdin);
    return c == EOF ? -1 : c;
}

int Win32Console::runCommand(const std::string& command) {
    flush();
    return std::system(command.c_str());
}

void Win32Console::pause() {
    flush();
    std::system("pause");
}

void Win32Console::flush() { std::fflush(stdout); }

void Win32Console::writeError(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stderr); }

bool Win32Console::outputFailed() { return std::ferror(stdout) != 0; }

}  // namespace ml
