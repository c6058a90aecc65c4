#include "study/study_sweep.h"

#include <charconv>
#include <cmath>
#include <string>

#include "study/study_error.h"

namespace fluxeta::study {

namespace {

// A study of more values than this along one input is surely a typing slip.
constexpr std::size_t kMaxSweepCount = 100'000'000;

[[noreturn]] void Refuse(std::string_view text, const std::string& why) {
  throw StudyError("--sweep '" + std::string(text) + "': " + why);
}

double ReadEnd(std::string_view sweepText, std::string_view field, const char* which) {
  std::string_view digits = field;
  if (digits.size() > 1 && digits.front() == '+') {
    digits.remove_prefix(1);  // from_chars takes no plus sign
  }
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      !std::isfinite(value)) {
    Refuse(sweepText, std::string(which) + " '" + std::string(field) +
                          "' is not a finite number written with a point");
  }
  return value;
}

std::size_t ReadCount(std::string_view sweepText, std::string_view field) {
  std::size_t count = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), count);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() || count < 1 ||
      count > kMaxSweepCount) {
    Refuse(sweepText, "COUNT '" + std::string(field) + "' is not a whole number from 1 to " +
                          std::to_string(kMaxSweepCount));
  }
  return count;
}

}  // namespace

double SweepValue(double from, double to, std::size_t count, std::size_t k) {
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
  return (from * (intervals - steps) + to * steps) / intervals;
}

Sweep ParseSweep(std::string_view text, bool allInputs) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) {
    Refuse(text, "expected NAME=FROM:TO:COUNT");
  }
  const std::string_view name = text.substr(0, equals);
  const std::string_view range = text.substr(equals + 1);
  const auto firstColon = range.find(':');
  const auto secondColon =
      firstColon == std::string_view::npos ? firstColon : range.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos ||
      range.find(':', secondColon + 1) != std::string_view::npos) {
    Refuse(text, "expected NAME=FROM:TO:COUNT");
  }

  Sweep sweep;
  try {
    sweep.input = &FindStudyInput(name, allInputs);
  } catch (const StudyError& error) {
    Refuse(text, error.what());
  }
  const double from = ReadEnd(text, range.substr(0, firstColon), "FROM");
  const double to = ReadEnd(text, range.substr(firstColon + 1, secondColon - firstColon - 1), "TO");
  const std::size_t count = ReadCount(text, range.substr(secondColon + 1));

  sweep.values.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    const double value = SweepValue(from, to, count, k);
    if (!std::isfinite(value)) {
      Refuse(text, "the values between FROM and TO leave the range of double numbers");
    }
    sweep.values.push_back(value);
  }
  return sweep;
}

}  // namespace fluxeta::study
