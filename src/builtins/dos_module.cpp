// The dos module: console output and input, commands, the screen and colours.
#include <array>

#include "core/builtin.h"
#include "builtins/builtin_modules.h"
#include "builtins/dos_state.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "core/errors.h"
#include "core/program.h"
#include "core/console.h"

namespace ml {

namespace {

// The text is written as a format without arguments: "%%" prints one "%", and any
// other "%" is printed as it stands, never read as a conversion.
std::string DosPrint(Interp& in) {
    const std::string& text = Arg(in, 1);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && CharAt(text, i + 1) == '%') ++i;
    }
    Print(in, out);
    return {};
}

std::string DosSystem(Interp& in) {
    in.platform.console.runCommand(Arg(in, 1));
    return {};
}

inline constexpr MsgPair kMsgEndOfInput{"End of input", "輸入已結束"};

// The first read at the end of input gives its usual value; reading on after that
// has nothing left to wait for.
void NoteInputEnd(Interp& in, bool atEnd) {
    bool& inputEnded = DosStateOf(in).inputEnded;
    if (atEnd && inputEnded) {
        Fail(in, Say(in, kMsgEndOfInput));
    }
    inputEnded = atEnd;
}

// A line holds at most 255 characters; at the end of input the value is empty.
std::string DosGets(Interp& in) {
    std::string line;
    NoteInputEnd(in, !in.platform.console.readLine(line));
    return line;
}

// At the end of input there is no key: the value is -1.
std::string DosGetch(Interp& in) {
    const int key = in.platform.console.readKey();
    NoteInputEnd(in, key < 0);
    return std::to_string(key);
}

std::string DosClear(Interp& in) {
    ClearScreen(in);
    return {};
}

std::string DosMoveCursor(Interp& in) {
    MoveCursorTo(in, TextToInt(Arg(in, 1)), TextToInt(Arg(in, 2)));
    return {};
}

std::string DosColour(Interp& in) {
    SetTextColour(in, TextToInt(Arg(in, 1)), TextToInt(Arg(in, 2)));
    return {};
}

constexpr std::array<Builtin, 7> kDos = {{
    {"dos.print", 1, Use::Statement, DosPrint},
    {"dos.system", 1, Use::Statement, DosSystem},
    {"dos.gets", 0, Use::Value, DosGets},
    {"dos.getch", 0, Use::Value, DosGetch},
    {"dos.clrscr", 0, Use::Statement, DosClear},
    {"dos.gotoxy", 2, Use::Statement, DosMoveCursor},
    {"dos.textcolor", 2, Use::Statement, DosColour},
}};

}  // namespace

const ModuleDef& DosModule() {
    static constexpr ModuleDef module{"dos.", Module::Dos, kDos, nullptr, MakeModuleState<DosState>};
    return module;
}

}  // namespace ml
