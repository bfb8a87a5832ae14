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

long Number(Interp& in, int i) { return Char_Convert_Int(Arg(in, i)); }

std::string mid(Interp& in) { return Mid(Arg(in, 1), Number(in, 2), Number(in, 3)); }
std::string len(Interp& in) { return std::to_string(Arg(in, 1).size()); }
std::string instr(Interp& in) { return std::to_string(InStr(Arg(in, 1), Arg(in, 2))); }
std::string instrrev(Interp& in) { return std::to_string(InStrRev(Arg(in, 1), Arg(in, 2))); }
std::string insert(Interp& in) { return Insert(Arg(in, 1), Number(in, 2), Arg(in, 3)); }
std::string remove(Interp& in) { return Remove(Arg(in, 1), Number(in, 2), Number(in, 3)); }
std::string replace(Interp& in) { return Replace(Arg(in, 1), Arg(in, 2), Arg(in, 3)); }
std::string trim(Interp& in) { return Trim(Arg(in, 1)); }
std::string incount(Interp& in) { return std::to_string(InCount(Arg(in, 1), Arg(in, 2))); }
std::string isnumber(Interp& in) { return std::to_string(IsNumber(Arg(in, 1))); }
std::string lmend(Interp& in) { return LMendSpace(Arg(in, 1), Number(in, 2)); }
std::string rmend(Interp& in) { return RMendSpace(Arg(in, 1), Number(in, 2)); }

std::string reverse(Interp& in) {
    std::string text = Arg(in, 1);
    std::reverse(text.begin(), text.end());
    return text;
}

// Only the ASCII letters change, so the bytes of double-byte characters outside
// that range stay as they are.
std::string lower(Interp& in) {
    std::string text = Arg(in, 1);
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string upper(Interp& in) {
    std::string text = Arg(in, 1);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The variable that the line assigns: the text before its first "=", which must be
// one variable reference. A line that assigns nothing has no array to fill, and that
// is reported rather than the tokens silently dropped.
std::string splitTarget(Interp& in) {
    const std::string& line = in.exec.current;
    const std::size_t equal = line.find('=');
    std::string_view target = std::string_view(line).substr(0, equal == std::string::npos ? 0 : equal);
    const bool reference = target.size() > 2 && StartsWith(target, kVariableMarker) &&
                           std::all_of(target.begin() + 2, target.end(), IsENChar);
    if (!reference)
        Fail(in, Say(in, kMsgSplitTarget) + "~string.split");
    return std::string(target);
}

// Tokens as strtok cuts them: runs of characters outside the separator set; empty
// tokens never arise. Elements past the last token keep their values.
std::string split(Interp& in) {
    const std::string target = splitTarget(in);
    const std::string& text = Arg(in, 1);
    const std::string& separators = Arg(in, 2);
    int k = 0;
    for (std::size_t from = text.find_first_not_of(separators); from != std::string::npos;) {
        const std::size_t end = std::min(text.find_first_of(separators, from), text.size());
        const std::uint16_t slot = DimKey(in, target + "[" + std::to_string(k++) + "]");
        in.vars.values[slot] = text.substr(from, end - from);
        from = text.find_first_not_of(separators, end);
    }
    return text;
}

constexpr std::array<Builtin, 16> kString = {{
    {"string.mid", 3, Use::Value, mid},
    {"string.len", 1, Use::Value, len},
    {"string.instr", 2, Use::Value, instr},
    {"string.instrrev", 2, Use::Value, instrrev},
    {"string.insert", 3, Use::Value, insert},
    {"string.remove", 3, Use::Value, remove},
    {"string.replace", 3, Use::Value, replace},
    {"string.trim", 1, Use::Value, trim},
    {"string.reverse", 1, Use::Value, reverse},
    {"string.lower", 1, Use::Value, lower},
    {"string.upper", 1, Use::Value, upper},
    {"string.incount", 2, Use::Value, incount},
    {"string.isnumber", 1, Use::Value, isnumber},
    {"string.lmend", 2, Use::Value, lmend},
    {"string.rmend", 2, Use::Value, rmend},
    {"string.split", 2, Use::Value, split},
}};

}  // namespace

const ModuleDef& StringModule() {
    static constexpr ModuleDef module{"string.", Module::String, kString};
    return module;
}

}  // namespace ml
