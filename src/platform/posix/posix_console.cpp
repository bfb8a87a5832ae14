#include "platform/posix/posix_console.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix/posix_terminal.h"

namespace ml {

namespace {

constexpr int kEscape = 27;
// Terminals send DEL for the Backspace key; the Windows console reports 8.
constexpr int kTerminalBackspace = 127;
constexpr int kBackspace = 8;

// A terminal writes all bytes of one key at once, so they arrive together; a pause
// this long after ESC means the user pressed Escape alone.
constexpr int kEscapeSequenceGapMs = 50;
// Longer than any key sequence; stops a stream of garbage from being read forever.
constexpr std::size_t kMaxKeySequence = 16;
constexpr int kWaitForever = -1;

// Puts a terminal into single-key mode for the lifetime of the object and always
// gives the user's settings back, whatever path leaves the read.
class SingleKeyMode {
public:
    explicit SingleKeyMode(int fd) : fd_(fd) {
        if (tcgetattr(fd_, &saved_) != 0) return;
        termios raw = saved_;
        // No ISIG: Ctrl+C is a key here as it is for the Windows console, and the
        // process cannot be stopped while the user's terminal has echo switched off.
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
        // No ICRNL: Enter must give 13, as on Windows. No IXON: Ctrl+S and Ctrl+Q
        // are keys too.
        raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        active_ = tcsetattr(fd_, TCSANOW, &raw) == 0;
    }
    ~SingleKeyMode() {
        if (active_) tcsetattr(fd_, TCSANOW, &saved_);
    }
    SingleKeyMode(const SingleKeyMode&) = delete;
    SingleKeyMode& operator=(const SingleKeyMode&) = delete;

    bool active() const { return active_; }

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

// One byte from the descriptor, or -1 at the end of input, on an error, or when
// nothing came within the timeout.
int ReadByte(int fd, int timeoutMs) {
    if (timeoutMs != kWaitForever) {
        pollfd request{fd, POLLIN, 0};
        int ready;
        do {
            ready = poll(&request, 1, timeoutMs);
        } while (ready < 0 && errno == EINTR);
        if (ready <= 0) return -1;
    }
    unsigned char byte = 0;
    ssize_t count;
    do {
        count = ::read(fd, &byte, 1);
    } while (count < 0 && errno == EINTR);
    return count == 1 ? byte : -1;
}

int ReadStreamByte(std::FILE* input) {
    const int c = std::fgetc(input);
    return c == EOF ? -1 : c;
}

// Takes one byte of redirected input if it is there already (in the stream's buffer
// or the descriptor), as the Windows command interpreter's pause takes one; never
// waits for a writer that may not come.
void TakeAvailableByte(std::FILE* input) {
    const int fd = fileno(input);
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0) return;
    const bool wasBlocking = (flags & O_NONBLOCK) == 0;
    if (wasBlocking && fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return;
    // "Nothing yet" sets the stream's error flag; it is no error for later reads.
    if (std::fgetc(input) == EOF) std::clearerr(input);
    if (wasBlocking) fcntl(fd, F_SETFL, flags);
}

// The command with surrounding blanks removed and in lower case, as the Windows
// command interpreter matches its built-in names.
std::string BuiltinName(const std::string& command) {
    const std::size_t first = command.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = command.find_last_not_of(" \t");
    std::string name = command.substr(first, last - first + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

PosixConsole::PosixConsole(std::FILE* input, std::FILE* output)
    : input_(input),
      output_(output),
      inputIsTerminal_(isatty(fileno(input)) == 1),
      outputIsTerminal_(isatty(fileno(output)) == 1) {}

void PosixConsole::write(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), output_);
}

void PosixConsole::writeToTerminal(std::string_view sequence) {
    // Redirected output gets no attributes on Windows either: files and pipes
    // receive the text alone.
    if (outputIsTerminal_) write(sequence);
}

void PosixConsole::clearScreen() { writeToTerminal(kAnsiClearScreen); }

void PosixConsole::moveCursor(int column, int row) { writeToTerminal(AnsiCursorMove(column, row)); }

void PosixConsole::setAttribute(std::uint16_t attribute) { writeToTerminal(AnsiAttribute(attribute)); }

bool PosixConsole::readLine(std::string& line) {
    flush();
    line.clear();
    bool readAny = false;
    for (int c = std::fgetc(input_); c != EOF; c = std::fgetc(input_)) {
        readAny = true;
        if (c == '\n') {
            // Input prepared on Windows ends its lines with CR LF, which the Windows
            // build's text-mode input turns into LF; do the same here.
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    return readAny;
}

int PosixConsole::readKey() {
    if (pendingKey_ >= 0) {
        const int code = pendingKey_;
        pendingKey_ = -1;
        return code;
    }
    flush();
    if (!inputIsTerminal_) return ReadStreamByte(input_);
    return readTerminalKey();
}

int PosixConsole::readTerminalKey() {
    // Reads the descriptor directly: a terminal in line mode hands over one line per
    // read, so a line read through the stream never leaves bytes buffered there.
    const int fd = fileno(input_);
    SingleKeyMode mode(fd);
    if (!mode.active()) return ReadStreamByte(input_);

    const int first = ReadByte(fd, kWaitForever);
    if (first == kTerminalBackspace) return kBackspace;
    if (first != kEscape) return first;

    std::string sequence;
    while (!KeySequenceComplete(sequence) && sequence.size() < kMaxKeySequence) {
        const int next = ReadByte(fd, kEscapeSequenceGapMs);
        if (next < 0) break;
        sequence.push_back(static_cast<char>(next));
    }
    if (const auto key = DecodeKeySequence(sequence)) {
        pendingKey_ = key->code;
        return key->prefix;
    }
    return kEscape;
}

int PosixConsole::runCommand(const std::string& command) {
    const std::string builtin = BuiltinName(command);
    if (builtin == "pause") {
        pause();
        return 0;
    }
    if (builtin == "cls") {
        clearScreen();
        return 0;
    }
    flush();
    const int status = std::system(command.c_str());
    if (status != -1 && WIFEXITED(status)) return WEXITSTATUS(status);
    return -1;
}

void PosixConsole::pause() {
    write(kPausePrompt);
    flush();
    if (inputIsTerminal_) {
        // The pause swallows one whole key; a code still owed from an earlier key
        // stays owed, as it would to the Windows runtime.
        const int owed = pendingKey_;
        readTerminalKey();
        pendingKey_ = owed;
    } else {
        TakeAvailableByte(input_);
    }
    writeToTerminal(kPauseTerminalLineEnd);
    flush();
}

void PosixConsole::flush() { std::fflush(output_); }

void PosixConsole::writeError(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stderr); }

bool PosixConsole::outputFailed() { return std::ferror(output_) != 0; }

}  // namespace ml
