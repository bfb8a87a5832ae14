#include "core/builtin.h"

namespace ml {

const std::string& Arg(Interp& in, int i) { return in.args.slots[static_cast<std::size_t>(i - 1)]; }

}  // namespace ml
