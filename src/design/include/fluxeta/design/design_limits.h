// The limits a chosen design must meet and the objectives it is chosen by, as tables:
// the command line's options, Python's keywords, the workbench's boxes, the messages and
// the search's constraints all come from these rows. A new limit is a row here (and the
// figure it bounds in design_figures.h).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "fluxeta/case/physical_domain.h"
#include "fluxeta/design/design_figures.h"

namespace fluxeta::design {

enum class LimitSense { AtMost, AtLeast };

struct LimitSpec {
  std::string_view key;     // Python's keyword; the command line's option is --key-with-dashes
  std::string_view label;   // the workbench's
  std::string_view figure;  // in reasons: "entrance pressure <= 180000 Pa"
  std::string_view unit;    // empty for a pure number
  std::string_view help;
  double DesignFigures::*value;
  LimitSense sense;
  cases::PhysicalDomain domain;  // of the bound
  // A violation is measured relative to the bound (a pressure, a time), or as the
  // difference itself (a uniformity, which has a scale of its own).
  bool relative;
  // Asked for with an operating point rather than a bound: the fronts take the point's
  // document under the limit's name and set the bound to zero.
  bool byOperatingPoint = false;
};

inline constexpr std::array<LimitSpec, 4> kDesignLimits = {{
    {"max_pressure", "max pressure (Pa)", "entrance pressure", "Pa",
     "the highest entrance pressure allowed (Pa)", &DesignFigures::entrancePressure,
     LimitSense::AtMost, cases::PhysicalDomain::Positive, true},
    {"min_uniformity", "min uniformity", "uniformity", "", "the lowest uniformity allowed",
     &DesignFigures::uniformity, LimitSense::AtLeast, cases::PhysicalDomain::Real, false},
    {"max_residence_time", "max residence time (s)", "residence time", "s",
     "the longest residence time allowed at any station (s)", &DesignFigures::longestResidenceTime,
     LimitSense::AtMost, cases::PhysicalDomain::Positive, true},
    {"coating_window", "coating window", "coating window margin", "",
     "an operating point, as its document writes it: every station of the design inside its "
     "coating window",
     &DesignFigures::coatingWindowMargin, LimitSense::AtLeast, cases::PhysicalDomain::Real, false,
     true},
}};
inline constexpr std::size_t kMaxPressure = 0;
inline constexpr std::size_t kMinUniformity = 1;
inline constexpr std::size_t kMaxResidenceTime = 2;
inline constexpr std::size_t kCoatingWindow = 3;

// The bound of each limit of kDesignLimits, or none.
using DesignLimits = std::array<std::optional<double>, kDesignLimits.size()>;

// How far `figures` lie outside `limit`, relative to its bound where that is its measure:
// zero or less when they meet it.
double LimitExcess(std::size_t limit, double bound, const DesignFigures& figures);

// "entrance pressure <= 180000 Pa, uniformity >= 0.95": the limits given; empty for none.
std::string LimitsText(const DesignLimits& limits);

enum class Objective { Uniformity, Pressure };

struct ObjectiveSpec {
  Objective objective;
  std::string_view name;  // as every front names it
  double DesignFigures::*value;
  // The value minimised is value / scale, negated when maximised: both objectives then
  // change by numbers of the same order.
  bool maximise;
  double scale;
  std::optional<std::size_t> neededLimit;  // the target the objective is chosen at
};

inline constexpr std::array<ObjectiveSpec, 2> kObjectives = {{
    {Objective::Uniformity, "uniformity", &DesignFigures::uniformity, true, 1.0, std::nullopt},
    {Objective::Pressure, "pressure", &DesignFigures::entrancePressure, false, 1e5, kMinUniformity},
}};

const ObjectiveSpec& ObjectiveOf(Objective objective);
// The objective of that name, or nothing.
std::optional<Objective> ObjectiveOfName(std::string_view name);
// "'uniformity', 'pressure'".
std::string ObjectiveNames();

}  // namespace fluxeta::design
