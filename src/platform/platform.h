// The only door from the interpreter to the operating system. Every subsystem
// talks to these small interfaces; the Windows and Linux builds each supply one
// implementation of every interface, and the unit tests supply recording fakes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
    // Writes the bytes to standard error, where a failure of standard output is told.
    virtual void writeError(std::string_view bytes) = 0;
    // True once bytes written to standard output could not reach it (closed, a full
    // disk, a pipe whose reader left); stays true.
    virtual bool outputFailed() = 0;
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

// Window handles are carried as 32-bit values; a platform whose handles are wider
// sign-extends them.
using WindowHandle = std::int32_t;

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// One synthesised mouse event, already scaled to 0..65535 absolute coordinates: of
// the primary monitor, or of the whole desktop with the virtual-desktop flag
// (MOUSEEVENTF_VIRTUALDESK).
struct MouseRecord {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::uint32_t flags = 0;
    std::int32_t wheel = 0;  // with the wheel flag: 120 a step, positive away from the user
};

// One synthesised key event.
struct KeyRecord {
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    std::uint32_t flags = 0;
};

// A rectangle of the desktop: a window's outer one, a monitor's, or the whole
// desktop's.
struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// A snapshot of the screen, or of one window's client area drawn at its top-left
// corner, always screen-sized: 24-bit blue-green-red pixels, bottom row first, each
// row padded with zero bytes to a multiple of 4 bytes.
struct ScreenImage {
    int width = 0;
    int height = 0;
    int rowSize = 0;
    std::vector<std::uint8_t> pixels;
};

// A picture decoded from a picture file: top row first, 4 bytes a pixel (blue, green,
// red, 0), rows contiguous. As the platform's PNG decoder gives it, the fourth byte is
// the pixel's opacity instead.
struct TemplateImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The character of a text that typing could not type: where its bytes start in the
// text, and how many there are.
struct UntypedCharacter {
    std::size_t offset = 0;
    std::size_t length = 0;
};

// Whether the desktop can be used, and the display that was tried as its user names it
// (X11: "DISPLAY=:1"; Windows: the window station and desktop); empty when nothing
// names one.
struct DisplayState {
    bool usable = false;
    std::string name;
    // False when a server took the connection but did not answer in time.
    bool answered = true;
};

// How the writing of a picture file ended. Whatever the failure, what had the name
// before is as it was.
enum class FileWrite {
    Written,
    NotPlainFile,  // the name belongs to something other than a regular file: a folder,
                   // a device, a link to one
    Failed,        // a missing folder, no permission, a full disk, an empty name
};

// The bytes of a file, in pieces written one after the other.
using FilePieces = std::span<const std::span<const std::uint8_t>>;

// A control inside a window: a child window on Windows, an object of the accessibility
// interface on Linux. Its handle is one the desktop's other calls accept.
struct Control {
    WindowHandle handle = 0;
    // Windows: the window class; accessibility: the name of the object's role ("push
    // button", "text").
    std::string className;
    // The caption or label as the control holds it.
    std::string text;
    // Whether an & in the text marks the next character as the control's access key (and
    // && stands for one &), as on Windows.
    bool accessMarks = false;
    friend bool operator==(const Control&, const Control&) = default;
};

// What some desktops cannot do at all. There a call that needs it ends the run with an
// error that names the function and the desktop, rather than doing nothing or giving
// a wrong answer.
enum class DesktopAbility {
    PostedInput,     // input to one window, whether it has the focus or not
    WindowGeometry,  // where a window and its inside lie on the screen
    MoveWindows,
    WindowPixels,    // the pixels of one window, whatever covers it
};

// The desktop: windows, synthesised and posted input, key state, the cursor, the
// screen image and picture files. Once the display is usable, failures of single
// calls are silent: a failed call has no effect and lookups give 0.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual DisplayState displayState() = 0;
    // What to do when the display in use goes away under the run: called once, with
    // the display's name as displayState gives it, and the process ends when it returns.
    virtual void whenDisplayLost(std::function<void(const std::string& display)> report) = 0;
    // The primary monitor's size: the screen of the lib functions (on X11 the root
    // window, which spans every monitor).
    virtual ScreenPoint screenSize() = 0;
    // The monitors' rectangles in desktop coordinates, the primary first; one, the
    // screen's, where the system tells no more. Never empty while the display is usable.
    virtual std::vector<WindowRect> monitors() = 0;
    // The rectangle that spans every monitor, in the coordinates of windows and the
    // cursor: (0, 0) is the primary's top-left corner, so x or y is negative where a
    // monitor lies left of or above the primary.
    virtual WindowRect desktopRect() = 0;
    // The top-level window with exactly this title; 0 when none.
    virtual WindowHandle findWindow(const std::string& title) = 0;
    // The first child window of the parent with this class name; 0 when none.
    virtual WindowHandle findChildWindow(WindowHandle parent, const std::string& className) = 0;
    virtual void setForeground(WindowHandle window) = 0;
    virtual void sendMouse(const MouseRecord& record) = 0;
    virtual void sendKey(const KeyRecord& record) = 0;
    // Posts a mouse or key message with its packed parameters to one window.
    virtual void postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                             std::uint64_t lParam) = 0;
    virtual std::int16_t asyncKeyState(int virtualKey) = 0;
    virtual ScreenPoint cursorPosition() = 0;
    // The scan code of a virtual key.
    virtual std::uint32_t scanCode(std::uint32_t virtualKey) = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // Fills image with a screen-sized snapshot of the screen (window 0) or of the
    // window's client area. The image may hold an earlier snapshot, whose buffer is
    // reused: every pixel is rewritten, black where nothing could be read. The
    // padding bytes at the row ends need not be written; the caller zeroes them.
    virtual void screenImage(WindowHandle window, ScreenImage& image) = 0;
    // Like screenImage, but desktop-sized: window 0 gives every monitor, the image's
    // top-left pixel the desktop's top-left corner; a window's client area is drawn
    // at the top-left corner.
    virtual void desktopImage(WindowHandle window, ScreenImage& image) = 0;
    // The first `limit` bytes of a regular file, all of it when shorter, the name
    // followed through symbolic links. False when the name is no regular file (a
    // folder, a device, a pipe: refused before it is opened, so nothing waits for a
    // writer) or the file cannot be read.
    virtual bool readFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) = 0;
    // Decodes a whole PNG file held in memory, each pixel's fourth byte its opacity
    // (alpha: 0 transparent, 255 opaque, and 255 throughout a file without
    // transparency). False when the decoder is missing or the bytes are no readable
    // PNG file.
    virtual bool decodePng(std::span<const std::uint8_t> bytes, TemplateImage& image) = 0;

    // Types the text, in the script's encoding (the console code page on Windows,
    // UTF-8 on Linux): synthesised with window 0, else posted to the window. A line
    // feed, a carriage return or the pair of them types Enter, a tab Tab; other
    // control characters are left out. Either every character is typed, or nothing
    // is and the first character that cannot be typed is given.
    virtual std::optional<UntypedCharacter> typeText(WindowHandle window, const std::string& text) = 0;
    // The visible top-level windows in stacking order from the top (on X11 the
    // clients' windows, not a window manager's frames).
    virtual std::vector<WindowHandle> topWindows() = 0;
    // The window's title as far as the platform reads it; empty for no window.
    virtual std::string windowTitle(WindowHandle window) = 0;
    // The window's outer rectangle; false, and the rectangle untouched, for no window.
    virtual bool windowRect(WindowHandle window, WindowRect& rect) = 0;
    // Gives the window this outer rectangle.
    virtual void moveWindow(WindowHandle window, const WindowRect& rect) = 0;
    // Asks the window to close, as its close button would.
    virtual void closeWindow(WindowHandle window) = 0;
    // The screen position of a point of the window's client area.
    virtual ScreenPoint clientToScreen(WindowHandle window, ScreenPoint point) = 0;
    // The width and height of the window's client area; false, and the size
    // untouched, for no window.
    virtual bool clientSize(WindowHandle window, ScreenPoint& size) = 0;
    // The bytes of a PNG file that holds the image; false when the encoder is missing
    // or fails.
    virtual bool encodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes) = 0;
    // Makes the pieces the whole content of the file. They go into a new file beside
    // it, which takes the name only once all of them are written, so that a reader
    // never sees half a file. A symbolic link keeps pointing where it did: the file it
    // names is the one replaced.
    virtual FileWrite replaceFile(const std::string& file, FilePieces pieces) = 0;
    // The top-level window with the keyboard focus, as topWindows lists it; 0 when
    // none of them has it.
    virtual WindowHandle focusedWindow() = 0;
    // Whether the window exists and is on the screen (mapped, with its ancestors).
    virtual bool windowShown(WindowHandle window) = 0;

    // The clipboard's text in the script's encoding; empty when it holds none.
    virtual std::string clipboardText() = 0;
    // Puts the text on the clipboard, where it stays for other programs after this one
    // has ended; false when the clipboard could not be taken.
    virtual bool setClipboardText(const std::string& text) = 0;
    // The controls inside the window, depth first: a control's own controls come before
    // its next sibling. Nothing when the controls cannot be reached at all (Linux: no
    // accessibility bus answers); an empty list when the window has none.
    virtual std::optional<std::vector<Control>> controls(WindowHandle window) = 0;
    // The text a window or control holds (an edit field its content, a button its
    // caption, a window its title); empty for no window or control.
    virtual std::string controlText(WindowHandle handle) = 0;
    // Replaces the text of an edit control or editable field.
    virtual void setControlText(WindowHandle handle, const std::string& text) = 0;
    // Presses the button without moving the pointer, and without waiting for what the
    // press starts.
    virtual void pushControl(WindowHandle handle) = 0;

    // The desktop in use as its user names it, with what chose it ("x11 (DISPLAY=:1)",
    // "none (DISPLAY is not set)"); empty where the system has one kind of desktop only.
    virtual std::string desktopName() = 0;
    // Whether the desktop can do this for the window (0: for the screen, or any window).
    virtual bool can(DesktopAbility ability, WindowHandle window) = 0;
};

// A process id as the system numbers processes.
using ProcessId = std::uint32_t;

// How asking a process to end came out.
enum class ProcessEnd {
    Ended,     // it ran, and has ended
    NotFound,  // no process with the id runs (one that has ended, even if its
               // parent has not yet collected it, runs no more)
    Refused,   // it runs and could not be ended: another user's, the system's, this
               // program itself, or still there after the last signal
};

// The programs a script starts, and the ending of any process by its id.
class Processes {
public:
    virtual ~Processes() = default;
    // Starts the command without waiting for it (Linux: /bin/sh -c command, in a
    // process group of its own, reading from /dev/null; Windows: the command line as
    // CreateProcess takes it); its process id, or nothing when it could not be started.
    // Programs started earlier that have ended are collected on the way.
    virtual std::optional<ProcessId> start(const std::string& command) = 0;
    // Waits up to the time for the program the latest start gave to end: its exit
    // status (Linux: 128 + the signal for one a signal ended; Windows: the unsigned
    // exit code), or nothing when it still runs, and it is left running.
    virtual std::optional<std::int64_t> waitForExit(ProcessId id, std::uint32_t milliseconds) = 0;
    // Ends the process: Linux: SIGTERM (to the process group of a program start gave),
    // and SIGKILL when it still runs 2 seconds later; Windows: TerminateProcess.
    virtual ProcessEnd end(ProcessId id) = 0;
};

// How a file is opened. Text mode is what the Windows runtime makes of line ends (a
// CR LF read as a line feed, a line feed written as CR LF, a Ctrl-Z read as the end);
// elsewhere both modes carry the bytes as they are.
enum class FileMode { ReadBinary, ReadText, WriteBinary, WriteText, AppendText };

// The most bytes one read of a line gives: the longest value a line can fill.
inline constexpr std::size_t kLongestRead = 255;

// An open file; dropping it closes it.
class File {
public:
    virtual ~File() = default;
    // Replaces bytes with the next bytes of the file: up to and including the next
    // line feed, at most limit (1 to kLongestRead) of them. Zero bytes are bytes like
    // any other. False, with bytes unspecified, at the end of the file.
    virtual bool readLine(std::string& bytes, std::size_t limit) = 0;
    // Takes the next byte when it is a line feed, so that a CR LF cut by the limit of
    // one read can still be read as one line end.
    virtual bool takeLineFeed() = 0;
    // True once a read ran into the end of the file.
    virtual bool atEnd() = 0;
    // False when the file cannot give its first byte (some systems open a folder for
    // reading); the file is then at its start again.
    virtual bool readable() = 0;
    // False unless every byte was taken.
    virtual bool write(std::string_view bytes) = 0;
    // Writes out what is buffered and closes the file; false when some of it could
    // not be written. Nothing may be done with the file afterwards.
    virtual bool close() = 0;
};

// Files by name, the name given to the system as the script wrote it (in the ANSI
// code page on Windows).
class Files {
public:
    virtual ~Files() = default;
    // Null when the file cannot be opened in that mode. A writing mode also opens a
    // device, which takes what is written.
    virtual std::unique_ptr<File> open(const std::string& name, FileMode mode) = 0;
    // Whether the name is a regular file, through any symbolic links.
    virtual bool isPlainFile(const std::string& name) = 0;
    // Whether the name is a named pipe, which opening would wait on.
    virtual bool isPipe(const std::string& name) = 0;
    // Whether the two names reach one existing file.
    virtual bool sameFile(const std::string& one, const std::string& other) = 0;
};

// A date and time as the local calendar reads them.
struct LocalTime {
    int year = 0, month = 0, day = 0;
    int weekDay = 0;   // 0 Sunday to 6 Saturday
    int hour = 0, minute = 0, second = 0;
};

// The wall clock and a steady clock.
class Clock {
public:
    virtual ~Clock() = default;
    // Whole seconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t secondsSinceEpoch() = 0;
    // The local date and time at that second; false when the system cannot tell it.
    virtual bool localTime(std::int64_t seconds, LocalTime& local) = 0;
    // Nanoseconds from a fixed point that the wall clock's changes do not move, for
    // measuring how long something took.
    virtual std::int64_t steadyNanoseconds() = 0;
};

// A native call always passes ten integer-sized positions; unused ones hold 0.
inline constexpr std::size_t kNativePositions = 10;
using NativeArguments = std::array<std::intptr_t, kNativePositions>;

// Native libraries: load one, find an exported function, call it with ten
// integer-sized arguments, release it.
class NativeLibraries {
public:
    virtual ~NativeLibraries() = default;
    // Null when the library cannot be loaded, with the system's reason in whyNot.
    virtual void* load(const std::string& module, std::string& whyNot) = 0;
    // Null when the function is not exported.
    virtual void* find(void* library, const std::string& function) = 0;
    // Calls the function with exactly ten argument positions; gives its integer result.
    virtual std::intptr_t call(void* function, const NativeArguments& arguments) = 0;
    virtual void release(void* library) = 0;
};

// One argument of an automation method.
struct ComArgument {
    enum class Kind { Int, Double, Text } kind = Kind::Int;
    std::int32_t integer = 0;
    double real = 0.0;
    std::string text;   // in the ANSI code page
};

// What an automation call gave back: the value field read every way the script may ask.
struct ComResult {
    enum class Status { Ok, CannotCreate, NoMethod } status = Status::Ok;
    std::int32_t integer = 0;
    double real = 0.0;
    std::string text;    // the string value in the ANSI code page; empty when it holds none
};

// Automation objects: create by ProgID, call one method by name, release everything.
class Com {
public:
    virtual ~Com() = default;
    // Arguments in the order the method receives them (the last script argument first).
    virtual ComResult call(const std::string& progId, const std::string& method,
                           const std::vector<ComArgument>& arguments) = 0;
};

// The services of one host, handed to the interpreter object.
struct Platform {
    Console& console;
    CodePage& codePage;
    Desktop& desktop;
    NativeLibraries& native;
    Com& com;
    Files& files;
    Clock& clock;
    Processes& processes;
};

// The host's own services (implemented once per operating system).
Platform& HostPlatform();

}  // namespace ml
