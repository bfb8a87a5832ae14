// The figure our benchmark reports are read by: the fastest of the repetitions, the
// run least disturbed by the other work of a shared machine.
#pragma once

#include <algorithm>
#include <vector>

namespace bench {

inline double Fastest(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

}  // namespace bench
