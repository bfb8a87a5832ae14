#include "frontend/report.h"

#include <string>

#include "core/console.h"
#include "frontend/messages.h"

namespace ml {

namespace {

enum Colour { kWhite = 7, kLightGreen = 10, kLightRed = 12, kLightYellow = 14, kBrightWhite = 15 };

// One labelled line: the label in its colour, then the text in bright white. In
// Chinese the label and the message texts are adapted to the code page.
void labelled(Interp& in, bool chinese, int colour, const MsgPair& label, std::string_view text, bool isMessage) {
    textcolor(in, colour, 0);
    Print(in, chinese ? Big2Gb(in, Native(in, label.zh)) : std::string(label.en));
    textcolor(in, kBrightWhite, 0);
    Print(in, chinese && isMessage ? Big2Gb(in, text) : std::string(text));
    Print(in, "\n");
}

}  // namespace

void ErrBug(Interp& in, int line, std::string_view message, std::string_view error) {
    const bool chinese = English_Chinese(in) != 0;
    labelled(in, chinese, kLightGreen, kLabelRanks, std::to_string(line + 1), false);
    labelled(in, chinese, kLightYellow, kLabelMessage, message, true);
    labelled(in, chinese, kLightRed, kLabelError, error, true);
    textcolor(in, kWhite, 0);
    in.platform.console.pause();
    throw ProgramEnd{kStatusFailed};
}

void ErrBug(Interp& in, int line, const MsgPair& message, const MsgPair& error) {
    ErrBug(in, line, Say(in, message), Say(in, error));
}

void ErrNNNNN(Interp& in, std::string_view source) {
    ErrBug(in, in.program.entryCount, Say(in, kMsgSymbolMissing), source);
}

void Havethesamename(Interp& in, std::string_view source) {
    ErrBug(in, in.program.entryCount, Say(in, kMsgSameName), source);
}

}  // namespace ml
