#include "fluxeta/base/outcome.h"

#include <array>
#include <utility>

namespace fluxeta::base {

namespace {
constexpr std::array<std::pair<Outcome, std::string_view>, 11> kCodes = {{
    {Outcome::Converged, "converged"},
    {Outcome::NotConverged, "not_converged"},
    {Outcome::DivisionByZero, "division_by_zero"},
    {Outcome::InvalidOperation, "invalid_operation"},
    {Outcome::Overflow, "overflow"},
    {Outcome::NotANumber, "not_a_number"},
    {Outcome::IoError, "io_error"},
    {Outcome::FileCannotOpen, "file_cannot_open"},
    {Outcome::RegimeGap, "regime_gap"},
    {Outcome::NoPhysicalSolution, "no_physical_solution"},
    {Outcome::RefusedInput, "refused_input"},
}};
}  // namespace

std::string_view OutcomeCode(Outcome outcome) {
  for (const auto& [known, code] : kCodes) {
    if (known == outcome) {
      return code;
    }
  }
  return {};
}

std::optional<Outcome> OutcomeOfCode(std::string_view code) {
  for (const auto& [outcome, known] : kCodes) {
    if (known == code) {
      return outcome;
    }
  }
  return std::nullopt;
}

}  // namespace fluxeta::base
