// Axis scales that a reader takes in at a glance: ticks at steps of 1, 2 or 5 times a power
// of ten, the scale's ends on ticks, and tick texts with as many decimals as the step needs.
#pragma once

#include <QString>

#include <vector>

class QValueAxis;

namespace fluxeta::ui {

struct NiceScale {
  // The ticks are first … last times the step, the step being mantissa · 10^exponent.
  long long first = 0;
  long long last = 1;
  int mantissa = 1;  // 1, 2 or 5
  int exponent = 0;

  double Step() const;
  // Tick `index` (first … last) as the double nearest to its decimal value.
  double Tick(long long index) const;
  double Low() const { return Tick(first); }
  double High() const { return Tick(last); }
  int Decimals() const { return exponent < 0 ? -exponent : 0; }
  std::vector<double> Ticks() const;
};

// The scale with the fewest ticks, at most `mostIntervals` steps apart, that holds `low` …
// `high`. An empty range is widened around its value; `wholeNumbers` keeps the step at 1 or
// more (for counts).
NiceScale NiceTicks(double low, double high, int mostIntervals, bool wholeNumbers = false);

// A tick's text, with the scale's decimals and `separator`.
QString TickText(double value, const NiceScale& scale, char separator);

// Sets a chart axis to the scale over `low` … `high`: its range, ticks and label format.
NiceScale ApplyNiceScale(QValueAxis& axis, double low, double high, int mostIntervals,
                         bool wholeNumbers = false);

}  // namespace fluxeta::ui
