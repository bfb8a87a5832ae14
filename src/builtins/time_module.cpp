// The time module: the local date and time, a millisecond clock and random numbers.
// Every entry into the module's step takes a fresh snapshot and reseeds the generator
// from the current TimeSecond, so all time functions of one call agree.
#include <array>
#include <memory>

#include "core/builtin.h"
#include "builtins/builtin_modules.h"
#include "builtins/time_state.h"
#include "core/strings.h"
#include "core/errors.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgRandomRange{"Random number range error: ", "隨機數範圍錯誤: "};

void Enter(Interp& in) {
    TimeState& T = TimeStateOf(in);
    Clock& clock = in.platform.clock;
    const std::int64_t now = clock.secondsSinceEpoch();
    // A second the system cannot read as a date leaves the snapshot as it was.
    clock.localTime(now, T.now);
    T.random.seed(static_cast<std::uint32_t>(now));
}

const LocalTime& Now(Interp& in) { return TimeStateOf(in).now; }

std::string TimeYear(Interp& in) { return IntText(Now(in).year); }
std::string TimeMonth(Interp& in) { return IntText(Now(in).month); }
std::string TimeDay(Interp& in) { return IntText(Now(in).day); }
std::string TimeWeek(Interp& in) { return IntText(Now(in).weekDay); }
std::string TimeHour(Interp& in) { return IntText(Now(in).hour); }
std::string TimeMinute(Interp& in) { return IntText(Now(in).minute); }
std::string TimeSecond(Interp& in) { return IntText(Now(in).second); }

// Wall-clock milliseconds since start-up on every build; a 64-bit count never wraps.
std::string TimeClock(Interp& in) {
    const std::int64_t elapsed = in.platform.clock.steadyNanoseconds() - TimeStateOf(in).start;
    return std::to_string(elapsed / 1'000'000);
}

// The first number after the reseeding, modulo n with truncating division, so a
// negative n gives the range of its absolute value. A modulus of 0 has no range.
std::string TimeRand(Interp& in) {
    const int n = TextToInt(Arg(in, 1));
    if (n == 0) Fail(in, Say(in, kMsgRandomRange) + Arg(in, 1));
    return IntText(TimeStateOf(in).random.draw() % n);
}

constexpr std::array<Builtin, 9> kTime = {{
    {"time.year", 0, Use::Value, TimeYear},
    {"time.month", 0, Use::Value, TimeMonth},
    {"time.day", 0, Use::Value, TimeDay},
    {"time.week", 0, Use::Value, TimeWeek},
    {"time.hour", 0, Use::Value, TimeHour},
    {"time.minute", 0, Use::Value, TimeMinute},
    {"time.second", 0, Use::Value, TimeSecond},
    {"time.clock", 0, Use::Value, TimeClock},
    {"time.rand", 1, Use::Value, TimeRand},
}};

std::unique_ptr<ModuleState> MakeTimeState(Interp& in) {
    return std::make_unique<TimeState>(in.platform.clock.steadyNanoseconds());
}

}  // namespace

const ModuleDef& TimeModule() {
    static constexpr ModuleDef module{"time.", Module::Time, kTime, Enter, MakeTimeState};
    return module;
}

}  // namespace ml
