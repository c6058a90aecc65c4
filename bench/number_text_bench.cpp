// Reading the case texts and writing the values of the result file.
#include <benchmark/benchmark.h>

#include <string>

#include "fluxeta/case/number_text.h"

namespace fluxeta::cases {
namespace {

void BM_ParseNumber(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber(text, '.'));
  }
}
BENCHMARK_CAPTURE(BM_ParseNumber, short, std::string("66.0"));
BENCHMARK_CAPTURE(BM_ParseNumber, blanked, std::string("  0.0254  "));
BENCHMARK_CAPTURE(BM_ParseNumber, exponent, std::string("-1.2345678901234E-05"));

void BM_FormatNumber(benchmark::State& state, double value, NumberFormat format, int precision,
                     int digits) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatNumber(value, format, precision, digits, '.'));
  }
}
BENCHMARK_CAPTURE(BM_FormatNumber, fixed_7_4, 3.0, NumberFormat::Fixed, 7, 4);
BENCHMARK_CAPTURE(BM_FormatNumber, fixed_8_2, 1234.56789, NumberFormat::Fixed, 8, 2);
BENCHMARK_CAPTURE(BM_FormatNumber, fixed_exponent_form, 123456789.0, NumberFormat::Fixed, 7, 4);
BENCHMARK_CAPTURE(BM_FormatNumber, general_5_2, 0.000123456, NumberFormat::General, 5, 2);

}  // namespace
}  // namespace fluxeta::cases
