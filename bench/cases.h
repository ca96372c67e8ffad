// The comparisons the bench makes: each of the library's controls against
// the system control that does the same job, with the goal for the ratio.
#pragma once
#include <vector>

#include "runner.h"

namespace qxb {

enum class Look { kThemed, kClassic };

std::vector<Case> MakeCases(Look look);

}  // namespace qxb
