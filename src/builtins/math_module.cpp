// The math module: nine functions of one real number, each result written as number
// text with at most six decimals.
#include <array>
#include <charconv>
#include <cmath>

#include "core/builtin.h"
#include "builtins/builtin_modules.h"
#include "core/strings.h"
#include "core/errors.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgMathRange{"Math domain or range error: ", "數學定義域或值域錯誤: "};

// A result that is no finite number (the logarithm of 0, the square root of -1) or
// whose number text would not fit in a value would read back as a different number.
bool FitsValue(double value) {
    if (!std::isfinite(value)) return false;
    // A number with a fraction lies below 2^53, so only the whole part can come near
    // the limit.
    std::array<char, 320> whole;
    const auto [end, error] = std::to_chars(whole.data(), whole.data() + whole.size(), std::trunc(value),
                                            std::chars_format::fixed, 0);
    return error == std::errc() && static_cast<std::size_t>(end - whole.data()) <= kMaxText;
}

// Such a result ends the run; the report's error text shows the call.
template <double (*F)(double)>
std::string MathApply(Interp& in) {
    const double value = F(TextToNumber(Arg(in, 1)));
    if (!FitsValue(value))
        Fail(in, Say(in, kMsgMathRange) + Arg(in, 1));
    return NumberText(value);
}

// The <cmath> names are overloaded; these pin the double versions.
double Absolute(double x) { return std::fabs(x); }
double Power(double x) { return std::exp(x); }
double Below(double x) { return std::floor(x); }
double Above(double x) { return std::ceil(x); }
double Root(double x) { return std::sqrt(x); }
double Logarithm(double x) { return std::log(x); }
double Sine(double x) { return std::sin(x); }
double Cosine(double x) { return std::cos(x); }
double Tangent(double x) { return std::tan(x); }

constexpr std::array<Builtin, 9> kMath = {{
    {"math.abs", 1, Use::Value, MathApply<Absolute>},
    {"math.exp", 1, Use::Value, MathApply<Power>},
    {"math.floor", 1, Use::Value, MathApply<Below>},
    {"math.ceil", 1, Use::Value, MathApply<Above>},
    {"math.sqrt", 1, Use::Value, MathApply<Root>},
    {"math.log", 1, Use::Value, MathApply<Logarithm>},
    {"math.sin", 1, Use::Value, MathApply<Sine>},
    {"math.cos", 1, Use::Value, MathApply<Cosine>},
    {"math.tan", 1, Use::Value, MathApply<Tangent>},
}};

}  // namespace

const ModuleDef& MathModule() {
    static constexpr ModuleDef module{"math.", Module::Math, kMath};
    return module;
}

}  // namespace ml
