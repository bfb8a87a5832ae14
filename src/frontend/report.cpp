#include "frontend/report.h"

#include <string>

#include "core/console.h"
#include "frontend/messages.h"

namespace ml {

namespace {

enum Colour { kWhite = 7, kLightGreen = 10, kLightRed = 12, kLightYellow = 14, kBrightWhite = 15 };

struct ReportLine {
    int colour;
    const MsgPair& label;
    std::string_view text;
    bool isMessage;  // a message text, adapted like the label; not a line's own text
};

// In Chinese the label and the message texts are adapted to the code page.
std::string LabelText(Interp& in, bool chinese, const ReportLine& line) {
    return chinese ? SimplifiedForGbConsole(in, Native(in, line.label.zh)) : std::string(line.label.en);
}

std::string BodyText(Interp& in, bool chinese, const ReportLine& line) {
    return chinese && line.isMessage ? SimplifiedForGbConsole(in, line.text) : std::string(line.text);
}

}  // namespace

void ShowReport(Interp& in, const FatalError& error, ReportStyle style) {
    const bool chinese = ShowsChinese(in) != 0;
    const std::string ranks = std::to_string(error.entry + 1);
    const ReportLine lines[] = {{kLightGreen, kLabelRanks, ranks, false},
                                {kLightYellow, kLabelMessage, error.message, true},
                                {kLightRed, kLabelError, error.detail, true}};
    if (style == ReportStyle::Quiet) {
        std::string report;
        for (const ReportLine& line : lines) report += LabelText(in, chinese, line) + BodyText(in, chinese, line) + "\n";
        // What the script printed comes first, where both streams reach one terminal.
        in.platform.console.flush();
        in.platform.console.writeError(report);
        return;
    }
    // Each label in its colour, then its text in bright white.
    for (const ReportLine& line : lines) {
        SetTextColour(in, line.colour, 0);
        Print(in, LabelText(in, chinese, line));
        SetTextColour(in, kBrightWhite, 0);
        Print(in, BodyText(in, chinese, line) + "\n");
    }
    SetTextColour(in, kWhite, 0);
    in.platform.console.pause();
}

}  // namespace ml
