// One --sweep of a study: NAME=FROM:TO:COUNT, COUNT evenly spaced values of one input
// from FROM to TO, both ends included.
#pragma once

#include <string_view>
#include <vector>

#include "study/study_inputs.h"

namespace fluxeta::study {

struct Sweep {
  const StudyInput* input = nullptr;
  std::vector<double> values;  // in sweep order; COUNT 1 gives FROM alone
};

// Reads NAME=FROM:TO:COUNT. FROM and TO are finite numbers written with a point, COUNT
// a whole number of at least 1. Raises StudyError naming the fault.
Sweep ParseSweep(std::string_view text, bool allInputs);

// The k-th of `count` evenly spaced values from `from` to `to`; the ends are exact.
double SweepValue(double from, double to, std::size_t count, std::size_t k);

}  // namespace fluxeta::study
