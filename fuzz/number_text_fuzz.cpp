// Number texts: any bytes read as a box text with either separator, and any double
// written in every style; a text written by FormatNumber with enough digits reads back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/number_text.h"
#include "fuzz_input.h"

namespace {

using fluxeta::cases::NumberFormat;

constexpr int kWidestPrecision = 18;

void ReadAsBoxText(std::string_view text, char separator) {
  try {
    fluxeta::cases::ParseNumber(text, separator);
  } catch (const fluxeta::base::ConversionError& error) {
    if (error.text() != text) {
      std::abort();  // the message must quote the text whole
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fluxeta::fuzz::FuzzInput input(data, size);
  const double value = input.Take<double>();
  const int precision = input.Take<int>();
  const int digits = input.Take<int>();
  const bool fixed = input.Take<std::uint8_t>() % 2 == 1;
  const std::string_view text = input.Rest();

  ReadAsBoxText(text, '.');
  ReadAsBoxText(text, ',');

  const NumberFormat format = fixed ? NumberFormat::Fixed : NumberFormat::General;
  const std::string written = fluxeta::cases::FormatNumber(value, format, precision, digits, ',');
  ReadAsBoxText(written, ',');
  if (std::isfinite(value)) {
    // Eighteen significant digits read back to the same double.
    const std::string general =
        fluxeta::cases::FormatNumber(value, NumberFormat::General, kWidestPrecision, 0, '.');
    if (static_cast<double>(fluxeta::cases::ParseNumber(general, '.')) != value) {
      std::abort();
    }
    if (std::strtod(fluxeta::cases::ShortestText(value).c_str(), nullptr) != value) {
      std::abort();
    }
  }
  return 0;
}
