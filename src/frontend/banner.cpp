#include "frontend/banner.h"

#include "core/console.h"
#include "core/language.h"

namespace ml {

namespace {

constexpr const char* MorrowlarkVer = "1.4.4";
constexpr const char* MorrowlarkDate = "2014.04.01";
#if ML_BITS == 32
constexpr const char* kWordSize = "32-Bit";
constexpr const char* kProgramName = "morrowlark32";
#else
constexpr const char* kWordSize = "64-Bit";
constexpr const char* kProgramName = "morrowlark64";
#endif

struct Piece {
    int colour;
    const char* text;
};

// The product name in four coloured pieces, in English and in Chinese.
constexpr Piece kNameEnglish[] = {{12, "M"}, {4, "orrow"}, {14, "l"}, {6, "ark "}};
constexpr Piece kNameChinese[] = {{12, "明"}, {4, "日"}, {14, "雲"}, {6, "雀 "}};

void Show(Interp& in, int colour, std::string_view text) {
    SetTextColour(in, colour, 0);
    Print(in, text);
}

}  // namespace

std::string ProgramName() { return kProgramName; }

std::string VersionText() { return std::string(kProgramName) + " " + MorrowlarkVer + " (" + MorrowlarkDate + ")\n"; }

void ShowBanner(Interp& in) {
    ClearScreen(in);
    const bool chinese = ShowsChinese(in) != 0;
    for (const Piece& piece : chinese ? kNameChinese : kNameEnglish)
        Show(in, piece.colour, chinese ? SimplifiedForGbConsole(in, Native(in, piece.text)) : piece.text);
    const Piece rest[] = {{15, kWordSize}, {11, " ( "}, {10, "V"}, {2, "ersion "}, {15, MorrowlarkVer},
                          {13, "  D"},     {5, "ate "}, {15, MorrowlarkDate}, {11, " )\n"}};
    for (const Piece& piece : rest) Show(in, piece.colour, piece.text);
    SetTextColour(in, 7, 0);
}

}  // namespace ml
