// One --sweep of a study: NAME=FROM:TO:COUNT, COUNT evenly spaced values of one input
// from FROM to TO, both ends included. The values are worked out when asked for, so a
// sweep of any length takes no memory of its own.
#pragma once

#include <cstdint>
#include <string_view>

#include "fluxeta/study/study_inputs.h"

namespace fluxeta::study {

// The k-th of `count` evenly spaced values from `from` to `to`; the ends are exact.
double SweepValue(double from, double to, std::uint64_t count, std::uint64_t k);

struct Sweep {
  const StudyVariable* input = nullptr;
  double from = 0;
  double to = 0;
  std::uint64_t count = 1;  // COUNT 1 gives FROM alone

  // The k-th value in sweep order, 0 ≤ k < count.
  double Value(std::uint64_t k) const { return SweepValue(from, to, count, k); }
};

// Reads NAME=FROM:TO:COUNT, NAME one of `variables`. FROM and TO are finite numbers written with a
// point, COUNT a whole number of at least 1. Raises StudyError naming the fault and the option that
// gave the text.
Sweep ParseSweep(std::string_view text, StudyVariables& variables,
                 std::string_view option = "--sweep");
// The same for the case inputs.
Sweep ParseSweep(std::string_view text, bool allInputs, std::string_view option = "--sweep");

}  // namespace fluxeta::study
