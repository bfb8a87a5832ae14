// The time module: the local date and time, a millisecond clock and random numbers.
// Every entry into the module's step takes a fresh snapshot and reseeds the generator
// from the current second, so all time functions of one call agree.
#include <array>
#include <chrono>
#include <ctime>

#include "core/builtin.h"
#include "builtins/builtin_modules.h"
#include "core/strings.h"
#include "core/errors.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgRandomRange{"Random number range error: ", "隨機數範圍錯誤: "};

void enter(Interp& in) {
    TimeState& T = in.modules.time;
    const std::time_t now = std::time(nullptr);
    // The broken-down time is copied at once: localtime's result is shared storage.
    if (const std::tm* local = std::localtime(&now)) {
        T.now = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_wday,
                 local->tm_hour,        local->tm_min,     local->tm_sec};
    }
    T.random.seed(static_cast<std::uint32_t>(now));
}

const TimeSnapshot& now(Interp& in) { return in.modules.time.now; }

std::string year(Interp& in) { return Int_Convert_Char(now(in).year); }
std::string month(Interp& in) { return Int_Convert_Char(now(in).month); }
std::string day(Interp& in) { return Int_Convert_Char(now(in).day); }
std::string week(Interp& in) { return Int_Convert_Char(now(in).week); }
std::string hour(Interp& in) { return Int_Convert_Char(now(in).hour); }
std::string minute(Interp& in) { return Int_Convert_Char(now(in).minute); }
std::string second(Interp& in) { return Int_Convert_Char(now(in).second); }

// Wall-clock milliseconds since start-up on every build; a 64-bit count never wraps.
std::string clock(Interp& in) {
    const auto elapsed = std::chrono::steady_clock::now() - in.modules.time.start;
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// The first number after the reseeding, modulo n with truncating division, so a
// negative n gives the range of its absolute value. A modulus of 0 has no range.
std::string rand(Interp& in) {
    const int n = Char_Convert_Int(Arg(in, 1));
    if (n == 0) Fail(in, Say(in, kMsgRandomRange) + Arg(in, 1));
    return Int_Convert_Char(in.modules.time.random.draw() % n);
}

constexpr std::array<Builtin, 9> kTime = {{
    {"time.year", 0, Use::Value, year},
    {"time.month", 0, Use::Value, month},
    {"time.day", 0, Use::Value, day},
    {"time.week", 0, Use::Value, week},
    {"time.hour", 0, Use::Value, hour},
    {"time.minute", 0, Use::Value, minute},
    {"time.second", 0, Use::Value, second},
    {"time.clock", 0, Use::Value, clock},
    {"time.rand", 1, Use::Value, rand},
}};

}  // namespace

const ModuleDef& TimeModule() {
    static constexpr ModuleDef module{"time.", Module::Time, kTime, enter};
    return module;
}

}  // namespace ml
