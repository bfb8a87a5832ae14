#include "frontend/report.h"

#include <string>

#include "core/console.h"
#include "frontend/messages.h"

namespace ml {

namespace {

enum Colour { kWhite = 7, kLightGreen = 10, kLightRed = 12, kLightYellow = 14, kBrightWhite = 15 };

// One labelled line: the label in its colour, then the text in bright white. In
// Chinese the label and the message texts are adapted to the code page.
void Labelled(Interp& in, bool chinese, int colour, const MsgPair& label, std::string_view text, bool isMessage) {
    SetTextColour(in, colour, 0);
    Print(in, chinese ? SimplifiedForGbConsole(in, Native(in, label.zh)) : std::string(label.en));
    SetTextColour(in, kBrightWhite, 0);
    Print(in, chinese && isMessage ? SimplifiedForGbConsole(in, text) : std::string(text));
    Print(in, "\n");
}

}  // namespace

void ShowReport(Interp& in, const FatalError& error) {
    const bool chinese = ShowsChinese(in) != 0;
    Labelled(in, chinese, kLightGreen, kLabelRanks, std::to_string(error.entry + 1), false);
    Labelled(in, chinese, kLightYellow, kLabelMessage, error.message, true);
    Labelled(in, chinese, kLightRed, kLabelError, error.detail, true);
    SetTextColour(in, kWhite, 0);
    in.platform.console.pause();
}

}  // namespace ml
