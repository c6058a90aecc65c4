// --sweep texts: any text is read or refused; every value of a sweep read is finite, lies
// between its ends (to the rounding) and prints as a text that reads back to it.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_grid.h"

namespace {

// The values looked at in a long sweep: its ends and a few between.
constexpr std::uint64_t kValuesLookedAt = 64;
// The weighted form rounds twice, so a value may stray past an end by an ulp or so
// (0.03:0.03:81 gives 0.030000000000000002 between its ends).
constexpr double kRelativeRoundingSlack = 1e-15;

void CheckValue(const fluxeta::study::StudyGrid& grid, const fluxeta::study::Sweep& sweep,
                std::uint64_t k) {
  const double value = sweep.Value(k);
  const double slack =
      kRelativeRoundingSlack * std::max(std::fabs(sweep.from), std::fabs(sweep.to));
  const double low = std::min(sweep.from, sweep.to) - slack;
  const double high = std::max(sweep.from, sweep.to) + slack;
  if (!std::isfinite(value) || value < low || value > high) {
    std::abort();
  }
  std::vector<std::string> texts;
  grid.CaseTexts(k, texts);
  double read = 0;
  std::from_chars(texts.at(0).data(), texts.at(0).data() + texts.at(0).size(), read);
  if (read != value) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fluxeta::study::Sweep sweep;
  try {
    sweep = fluxeta::study::ParseSweep(text, true);
  } catch (const fluxeta::study::StudyError&) {
    return 0;
  }
  fluxeta::study::StudyGrid grid;
  grid.AddSweep(sweep);
  const std::uint64_t step = std::max<std::uint64_t>(1, sweep.count / kValuesLookedAt);
  for (std::uint64_t k = 0; k < sweep.count; k += step) {
    CheckValue(grid, sweep, k);
  }
  CheckValue(grid, sweep, sweep.count - 1);
  return 0;
}
