// The string module: the string helpers for scripts, byte-wise case changes and
// reversal, and `string.split`, which fills the elements of the variable assigned.
#include <algorithm>
#include <array>

#include "core/markers.h"
#include "core/builtin.h"
#include "builtins/builtin_modules.h"
#include "core/strings.h"
#include "core/variables.h"
#include "core/errors.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgSplitTarget{"Need a variable to split into: ", "需要分割到的變量: "};

long Number(Interp& in, int i) { return TextToInt(Arg(in, i)); }

std::string StringMid(Interp& in) { return Mid(Arg(in, 1), Number(in, 2), Number(in, 3)); }
std::string StringLen(Interp& in) { return std::to_string(Arg(in, 1).size()); }
std::string StringInstr(Interp& in) { return std::to_string(PositionOf(Arg(in, 1), Arg(in, 2))); }
std::string StringInstrrev(Interp& in) { return std::to_string(LastPositionOf(Arg(in, 1), Arg(in, 2))); }
std::string StringInsert(Interp& in) { return Insert(Arg(in, 1), Number(in, 2), Arg(in, 3)); }
std::string StringRemove(Interp& in) { return Remove(Arg(in, 1), Number(in, 2), Number(in, 3)); }
std::string StringReplace(Interp& in) { return Replace(Arg(in, 1), Arg(in, 2), Arg(in, 3)); }
std::string StringTrim(Interp& in) { return Trim(Arg(in, 1)); }
std::string StringIncount(Interp& in) { return std::to_string(CountOf(Arg(in, 1), Arg(in, 2))); }
std::string StringIsnumber(Interp& in) { return std::to_string(IsNumber(Arg(in, 1))); }
std::string StringLmend(Interp& in) { return PadRight(Arg(in, 1), Number(in, 2)); }
std::string StringRmend(Interp& in) { return PadLeft(Arg(in, 1), Number(in, 2)); }

std::string StringReverse(Interp& in) {
    std::string text = Arg(in, 1);
    std::reverse(text.begin(), text.end());
    return text;
}

// Only the ASCII letters change, so the bytes of double-byte characters outside
// that range stay as they are.
std::string StringLower(Interp& in) { return AsciiLower(Arg(in, 1)); }

std::string StringUpper(Interp& in) {
    std::string text = Arg(in, 1);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The variable that the line assigns: the text before its first "=", which must be
// one variable reference. A line that assigns nothing has no array to fill, and that
// is reported rather than the tokens silently dropped.
std::string SplitTarget(Interp& in) {
    const std::string& line = in.exec.current;
    const std::size_t equal = line.find('=');
    std::string_view target = std::string_view(line).substr(0, equal == std::string::npos ? 0 : equal);
    const bool reference = target.size() > 2 && StartsWith(target, kVariableMarker) &&
                           std::all_of(target.begin() + 2, target.end(), ContinuesReference);
    if (!reference)
        Fail(in, Say(in, kMsgSplitTarget) + "~string.split");
    return std::string(target);
}

// Tokens as strtok cuts them: runs of characters outside the separator set; empty
// tokens never arise. Elements past the last token keep their values.
std::string StringSplit(Interp& in) {
    const std::string target = SplitTarget(in);
    const std::string& text = Arg(in, 1);
    const std::string& separators = Arg(in, 2);
    int k = 0;
    for (std::size_t from = text.find_first_not_of(separators); from != std::string::npos;) {
        const std::size_t end = std::min(text.find_first_of(separators, from), text.size());
        const std::uint16_t slot = VariableSlot(in, target + "[" + std::to_string(k++) + "]");
        // An element is data, held like any value: at most 255 bytes, pairs whole.
        SetValue(in, slot, ClipValue(ProtectData(text.substr(from, end - from))));
        from = text.find_first_not_of(separators, end);
    }
    return text;
}

constexpr std::array<Builtin, 16> kString = {{
    {"string.mid", 3, Use::Value, StringMid},
    {"string.len", 1, Use::Value, StringLen},
    {"string.instr", 2, Use::Value, StringInstr},
    {"string.instrrev", 2, Use::Value, StringInstrrev},
    {"string.insert", 3, Use::Value, StringInsert},
    {"string.remove", 3, Use::Value, StringRemove},
    {"string.replace", 3, Use::Value, StringReplace},
    {"string.trim", 1, Use::Value, StringTrim},
    {"string.reverse", 1, Use::Value, StringReverse},
    {"string.lower", 1, Use::Value, StringLower},
    {"string.upper", 1, Use::Value, StringUpper},
    {"string.incount", 2, Use::Value, StringIncount},
    {"string.isnumber", 1, Use::Value, StringIsnumber},
    {"string.lmend", 2, Use::Value, StringLmend},
    {"string.rmend", 2, Use::Value, StringRmend},
    {"string.split", 2, Use::Value, StringSplit},
}};

}  // namespace

const ModuleDef& StringModule() {
    static constexpr ModuleDef module{"string.", Module::String, kString};
    return module;
}

}  // namespace ml
