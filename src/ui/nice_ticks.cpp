#include "nice_ticks.h"

#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace fluxeta::ui {

namespace {

// Half the span given to a range whose ends are equal: a tenth of its size, or one unit
// around zero.
constexpr double kFlatRangeFraction = 0.1;
constexpr double kFlatRangeAtZero = 1.0;
// A quotient this close to a whole number is that number: the ends of a range are often
// ticks already, give or take the last bit.
constexpr double kOnTickTolerance = 1e-9;
constexpr std::array<int, 3> kMantissas = {1, 2, 5};

double PowerOfTen(int exponent) {
  return std::pow(10.0, exponent);
}

long long Floor(double quotient) {
  const double nearest = std::round(quotient);
  return static_cast<long long>(
      std::abs(quotient - nearest) < kOnTickTolerance ? nearest : std::floor(quotient));
}

long long Ceil(double quotient) {
  const double nearest = std::round(quotient);
  return static_cast<long long>(
      std::abs(quotient - nearest) < kOnTickTolerance ? nearest : std::ceil(quotient));
}

}  // namespace

double NiceScale::Step() const {
  // Dividing by an exact power of ten rounds once, to the double nearest the decimal step.
  return exponent >= 0 ? mantissa * PowerOfTen(exponent) : mantissa / PowerOfTen(-exponent);
}

double NiceScale::Tick(long long index) const {
  const double multiple = static_cast<double>(index) * mantissa;
  return exponent >= 0 ? multiple * PowerOfTen(exponent) : multiple / PowerOfTen(-exponent);
}

std::vector<double> NiceScale::Ticks() const {
  std::vector<double> ticks;
  for (long long index = first; index <= last; ++index) {
    ticks.push_back(Tick(index));
  }
  return ticks;
}

NiceScale NiceTicks(double low, double high, int mostIntervals, bool wholeNumbers) {
  NiceScale scale;
  if (!std::isfinite(low) || !std::isfinite(high)) {
    return scale;
  }
  if (low > high) {
    std::swap(low, high);
  }
  if (low == high) {
    const double halfSpan = low == 0 ? kFlatRangeAtZero : kFlatRangeFraction * std::abs(low);
    low -= halfSpan;
    high += halfSpan;
  }
  mostIntervals = std::max(1, mostIntervals);
  const double rawStep = (high - low) / mostIntervals;
  int exponent = static_cast<int>(std::floor(std::log10(rawStep)));
  if (wholeNumbers) {
    exponent = std::max(0, exponent);
  }
  // The smallest step that keeps the intervals within the most allowed; a step rounded up
  // to a decade, or ends rounded out to ticks, may need the next step.
  for (;; ++exponent) {
    for (const int mantissa : kMantissas) {
      scale.mantissa = mantissa;
      scale.exponent = exponent;
      const double step = scale.Step();
      scale.first = Floor(low / step);
      scale.last = Ceil(high / step);
      if (scale.last == scale.first) {
        ++scale.last;
      }
      if (scale.last - scale.first <= mostIntervals) {
        return scale;
      }
    }
  }
}

QString TickText(double value, const NiceScale& scale, char separator) {
  QString text = QString::number(value, 'f', scale.Decimals());
  if (text.startsWith(u'-') && text.count(u'0') + text.count(u'.') + 1 == text.size()) {
    text.remove(0, 1);  // no "−0"
  }
  return text.replace(u'.', QChar::fromLatin1(separator));
}

NiceScale ApplyNiceScale(QValueAxis& axis, double low, double high, int mostIntervals,
                         bool wholeNumbers) {
  const NiceScale scale = NiceTicks(low, high, mostIntervals, wholeNumbers);
  axis.setRange(scale.Low(), scale.High());
  axis.setTickType(QValueAxis::TicksDynamic);
  axis.setTickAnchor(scale.Low());
  axis.setTickInterval(scale.Step());
  axis.setLabelFormat(QStringLiteral("%.%1f").arg(scale.Decimals()));
  return scale;
}

}  // namespace fluxeta::ui
