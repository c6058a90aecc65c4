#include "fluxeta/design/design_limits.h"

#include "fluxeta/case/number_text.h"

namespace fluxeta::design {

double LimitExcess(std::size_t limit, double bound, const DesignFigures& figures) {
  const LimitSpec& spec = kDesignLimits[limit];
  const double value = figures.*spec.value;
  if (spec.relative) {
    return spec.sense == LimitSense::AtMost ? value / bound - 1.0 : 1.0 - value / bound;
  }
  return spec.sense == LimitSense::AtMost ? value - bound : bound - value;
}

std::string LimitsText(const DesignLimits& limits) {
  std::string text;
  for (std::size_t limit = 0; limit < limits.size(); ++limit) {
    if (!limits[limit]) {
      continue;
    }
    const LimitSpec& spec = kDesignLimits[limit];
    text += text.empty() ? "" : ", ";
    text += spec.figure;
    text += spec.sense == LimitSense::AtMost ? " <= " : " >= ";
    text += cases::ShortestText(*limits[limit]);
    if (!spec.unit.empty()) {
      text += ' ';
      text += spec.unit;
    }
  }
  return text;
}

const ObjectiveSpec& ObjectiveOf(Objective objective) {
  for (const ObjectiveSpec& spec : kObjectives) {
    if (spec.objective == objective) {
      return spec;
    }
  }
  return kObjectives.front();
}

std::optional<Objective> ObjectiveOfName(std::string_view name) {
  for (const ObjectiveSpec& spec : kObjectives) {
    if (spec.name == name) {
      return spec.objective;
    }
  }
  return std::nullopt;
}

std::string ObjectiveNames() {
  std::string names;
  for (const ObjectiveSpec& spec : kObjectives) {
    names += names.empty() ? "'" : ", '";
    names += spec.name;
    names += '\'';
  }
  return names;
}

}  // namespace fluxeta::design
