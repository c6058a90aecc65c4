// How a case ended, as a machine-readable code; the message text is its presentation.
#pragma once

#include <optional>
#include <string_view>

namespace fluxeta::base {

enum class Outcome {
  Converged,       // solved
  NotConverged,    // the search gave up
  DivisionByZero,  // floating-point faults
  InvalidOperation,
  Overflow,
  NotANumber,          // a text that is not a number
  IoError,             // a file failed after it was opened
  FileCannotOpen,      // a file could not be opened
  RegimeGap,           // the robust search: no consistent slot regime at some stations
  NoPhysicalSolution,  // the robust search: no root on the physical branch
  RefusedInput,        // a value the case's document refuses (a die study's negative radius)
};

// "converged", "not_converged", "division_by_zero", "invalid_operation", "overflow",
// "not_a_number", "io_error", "file_cannot_open", "regime_gap", "no_physical_solution",
// "refused_input".
std::string_view OutcomeCode(Outcome outcome);

// The outcome of that code, or nothing.
std::optional<Outcome> OutcomeOfCode(std::string_view code);

}  // namespace fluxeta::base
