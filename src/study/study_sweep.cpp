#include "fluxeta/study/study_sweep.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/study/study_error.h"

namespace fluxeta::study {

namespace {

// A study of more values than this along one input is surely a typing slip.
constexpr std::uint64_t kMaxSweepCount = 100'000'000;

// Ends this far inside the double range cannot make a value outside it: every value is
// a weighted mean of the ends, off by a few roundings at most.
constexpr double kSafeEndMagnitude = std::numeric_limits<double>::max() / 4;

// The power of two by which the weighted form is carried out for ends near the edge of
// the double range: well above the 2^27 of the longest sweep's weights, and the scaled
// ends stay far from the subnormal range for any end that could overflow.
constexpr int kEdgeScaleExponent = 64;

// The text of one option, for its refusals.
struct SweepText {
  std::string_view option;
  std::string_view text;

  [[noreturn]] void Refuse(const std::string& why) const {
    throw StudyError(std::string(option) + " '" + base::ShortQuote(text) + "': " + why);
  }
};

double ReadEnd(const SweepText& sweepText, std::string_view field, const char* which) {
  const auto value = cases::ReadPointNumber(field);
  if (!value) {
    sweepText.Refuse(std::string(which) + " '" + base::ShortQuote(field) +
                     "' is not a finite number written with a point");
  }
  return *value;
}

std::uint64_t ReadCount(const SweepText& sweepText, std::string_view field) {
  std::uint64_t count = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), count);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() || count < 1 ||
      count > kMaxSweepCount) {
    sweepText.Refuse("COUNT '" + base::ShortQuote(field) + "' is not a whole number from 1 to " +
                     std::to_string(kMaxSweepCount));
  }
  return count;
}

double WeightedValue(double from, double to, double intervals, double steps) {
  return (from * (intervals - steps) + to * steps) / intervals;
}

}  // namespace

double SweepValue(double from, double to, std::uint64_t count, std::uint64_t k) {
  if (k == 0) {
    return from;
  }
  if (k + 1 == count) {
    return to;
  }
  // The weighted form is exact up to the one division when the ends are whole numbers,
  // so 0:1:11 gives 0.3 and not 0.30000000000000004.
  const double intervals = static_cast<double>(count - 1);
  const double steps = static_cast<double>(k);
  const double value = WeightedValue(from, to, intervals, steps);
  if (std::isfinite(value)) {
    return value;
  }
  // Ends near the edge of the double range overflow the weighted sum although the value
  // lies between them: the same form on ends scaled down by a power of two, which is
  // exact, gives the value the unbounded arithmetic would.
  const double scaled = WeightedValue(std::ldexp(from, -kEdgeScaleExponent),
                                      std::ldexp(to, -kEdgeScaleExponent), intervals, steps);
  return std::ldexp(scaled, kEdgeScaleExponent);
}

Sweep ParseSweep(std::string_view text, bool allInputs, std::string_view option) {
  CaseInputVariables inputs(allInputs);
  return ParseSweep(text, inputs, option);
}

Sweep ParseSweep(std::string_view text, StudyVariables& variables, std::string_view option) {
  const SweepText sweepText{option, text};
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) {
    sweepText.Refuse("expected NAME=FROM:TO:COUNT");
  }
  const std::string_view name = text.substr(0, equals);
  const std::string_view range = text.substr(equals + 1);
  const auto firstColon = range.find(':');
  const auto secondColon =
      firstColon == std::string_view::npos ? firstColon : range.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos ||
      range.find(':', secondColon + 1) != std::string_view::npos) {
    sweepText.Refuse("expected NAME=FROM:TO:COUNT");
  }

  Sweep sweep;
  try {
    sweep.input = &variables.Find(name);
  } catch (const StudyError& error) {
    sweepText.Refuse(error.message());
  }
  sweep.from = ReadEnd(sweepText, range.substr(0, firstColon), "FROM");
  sweep.to = ReadEnd(sweepText, range.substr(firstColon + 1, secondColon - firstColon - 1), "TO");
  sweep.count = ReadCount(sweepText, range.substr(secondColon + 1));

  if (std::fabs(sweep.from) > kSafeEndMagnitude || std::fabs(sweep.to) > kSafeEndMagnitude) {
    for (std::uint64_t k = 0; k < sweep.count; ++k) {
      if (!std::isfinite(sweep.Value(k))) {
        sweepText.Refuse("the values between FROM and TO leave the range of double numbers");
      }
    }
  }
  return sweep;
}

}  // namespace fluxeta::study
