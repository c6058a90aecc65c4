// The spread of a design's figures when its inputs vary within manufacturing or operating
// tolerances: the worst and best uniformity and entrance pressure over the corners and
// the centre of the tolerance box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/design/design_figures.h"

namespace fluxeta::design {

struct Tolerance {
  std::size_t input = 0;
  double delta = 0;      // ± in the input's unit, or
  bool percent = false;  // ± that many per cent of the value
};

// Reads NAME=±DELTA, NAME=±PCT% (also +- or a plain number). Returns the reason when the
// text is not a tolerance.
struct ParsedTolerance {
  std::optional<Tolerance> tolerance;
  std::string refusal;
};
ParsedTolerance ParseTolerance(std::string_view text);

// The most tolerances a band takes: its 2^k corners are each solved.
inline constexpr std::size_t kMaxTolerances = 12;

struct ToleranceBand {
  DesignFigures centre;
  std::uint64_t corners = 0;
  std::uint64_t unsolvedCorners = 0;
  double worstUniformity = 0;
  double bestUniformity = 0;
  double lowestEntrancePressure = 0;        // Pa
  double highestEntrancePressure = 0;       // Pa
  cases::CaseValues worstUniformityCase{};  // where the uniformity is lowest
};

// Raises std::invalid_argument for more than kMaxTolerances tolerances or an input given
// twice.
ToleranceBand EvaluateToleranceBand(const cases::CaseValues& base,
                                    const std::vector<Tolerance>& tolerances, Search search);

}  // namespace fluxeta::design
