// The spread of a design's figures when its quantities vary within manufacturing or
// operating tolerances: the worst and best uniformity and entrance pressure over the
// corners and the centre of the tolerance box. A band is only as good as its points: one
// with a point that could not be solved gives no figures at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/design/design_model.h"
#include "fluxeta/design/design_refusal.h"

namespace fluxeta::design {

struct Tolerance {
  std::size_t quantity = 0;
  double delta = 0;      // ± in the quantity's unit, or
  bool percent = false;  // ± that many per cent of the value
};

// Reads NAME=±DELTA, NAME=±PCT% (also +- or a plain number), NAME a quantity of `model`.
// Returns the reason when the text is not a tolerance.
struct ParsedTolerance {
  std::optional<Tolerance> tolerance;
  std::string refusal;
};
ParsedTolerance ParseTolerance(const DesignModel& model, std::string_view text);

// The most tolerances a band takes: its 2^k corners are each solved.
inline constexpr std::size_t kMaxTolerances = 12;

struct ToleranceSettings {
  std::vector<Tolerance> tolerances;
  bool allInputs = false;  // also the quantities the window keeps fixed
};

// A point of the band that could not be solved.
struct UnsolvedPoint {
  DesignPoint values;
  base::Outcome status = base::Outcome::NotConverged;
};

struct ToleranceBand {
  DesignFigures centre;
  std::uint64_t corners = 0;
  std::uint64_t unsolvedCorners = 0;
  std::optional<UnsolvedPoint> firstUnsolved;  // the centre, or the first corner in order
  // Over the centre and every corner, when all of them were solved.
  double worstUniformity = 0;
  double bestUniformity = 0;
  double lowestEntrancePressure = 0;   // Pa
  double highestEntrancePressure = 0;  // Pa
  DesignPoint worstUniformityCase;     // where the uniformity is lowest

  bool Complete() const { return centre.Solved() && unsolvedCorners == 0; }
};

// Raises DesignRefusal for no tolerance, more than kMaxTolerances, a quantity given twice
// or fixed unless every input is asked for, a tolerance that is not a finite number of at
// least 0, or one whose corners leave the quantity's physical domain.
void CheckToleranceBand(const DesignModel& model, const ToleranceSettings& settings,
                        const SettingNames& names);

// Checks the settings and solves the centre and every corner of the band.
ToleranceBand EvaluateToleranceBand(const DesignModel& model, const ToleranceSettings& settings);

// "2 of 4 corners could not be solved, the first at H = -0.4646 (no_physical_solution)".
std::string UnsolvedPointsText(const DesignModel& model, const ToleranceBand& band);

}  // namespace fluxeta::design
