#include "automation/argument_ranges.h"

#include <string>

#include "core/builtin.h"
#include "core/errors.h"
#include "core/strings.h"

namespace ml {

void FailParameter(Interp& in, std::string_view function, int position, std::string_view value,
                   const MsgPair& limit) {
    FailParameter(in, function, position, value, Say(in, limit));
}

void FailParameter(Interp& in, std::string_view function, int position, std::string_view value,
                   std::string_view limit) {
    Fail(in, std::string(function) + Say(in, kMsgParameterSection) + std::to_string(position) +
                 Say(in, kMsgParameterError) + std::string(value) + std::string(limit));
}

std::int64_t ArgInRange(Interp& in, std::string_view function, int position, const NumberRange& range) {
    const std::int64_t value = TextToInt64(Arg(in, position));
    if (value < range.least || value > range.most)
        FailParameter(in, function, position, std::to_string(value), *range.limit);
    return value;
}

}  // namespace ml
