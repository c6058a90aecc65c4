#include "moment_table.h"

namespace fluxeta::liquids {

namespace {
// Newton steps of the inverse on one cell; each is quadratic once near.
constexpr int kMostInverseSteps = 60;
}  // namespace

// The quintic with the values, slopes and curvatures a at t = 0 and b at t = 1 of a
// function of x = start + t·width.
MomentTable::Polynomial MomentTable::Hermite(const std::array<double, 3>& a,
                                             const std::array<double, 3>& b, double width) {
  const double rise = b[0] - a[0];
  const double slopeA = width * a[1];
  const double slopeB = width * b[1];
  const double curvatureA = width * width * a[2];
  const double curvatureB = width * width * b[2];
  return {a[0],
          slopeA,
          curvatureA / 2,
          10 * rise - 6 * slopeA - 4 * slopeB - (3 * curvatureA - curvatureB) / 2,
          -15 * rise + 8 * slopeA + 7 * slopeB + (3 * curvatureA - 2 * curvatureB) / 2,
          6 * rise - 3 * slopeA - 3 * slopeB - (curvatureA - curvatureB) / 2};
}

double MomentTable::Horner(const Polynomial& p, double t) {
  return p[0] + t * (p[1] + t * (p[2] + t * (p[3] + t * (p[4] + t * p[5]))));
}

std::size_t MomentTable::CellOf(double x) const {
  const auto above = std::upper_bound(starts_.begin() + 1, starts_.end() - 1, x);
  return static_cast<std::size_t>(above - starts_.begin()) - 1;
}

double MomentTable::Interpolate(const std::vector<Polynomial>& cells, double x) const {
  const std::size_t cell = CellOf(x);
  const double t = (x - starts_[cell]) / (starts_[cell + 1] - starts_[cell]);
  return Horner(cells[cell], t);
}

std::optional<double> MomentTable::StressAt(const std::vector<Polynomial>& cells,
                                            const std::vector<double>& nodes, double rate) const {
  const double y = std::log(rate);
  if (!(y >= nodes.front() && y <= nodes.back())) {
    return std::nullopt;
  }
  const auto above = std::upper_bound(nodes.begin() + 1, nodes.end() - 1, y);
  const std::size_t cell = static_cast<std::size_t>(above - nodes.begin()) - 1;
  const Polynomial& p = cells[cell];
  // The interpolant rises across the cell from nodes[cell] to nodes[cell + 1]: Newton's
  // method from the chord's answer, kept in the bracket.
  double low = 0;
  double high = 1;
  double t = (y - nodes[cell]) / (nodes[cell + 1] - nodes[cell]);
  for (int step = 0; step < kMostInverseSteps; ++step) {
    const double miss = Horner(p, t) - y;
    if (miss == 0) {
      break;
    }
    (miss < 0 ? low : high) = t;
    const double slope = p[1] + t * (2 * p[2] + t * (3 * p[3] + t * (4 * p[4] + t * 5 * p[5])));
    double next = t - miss / slope;
    if (!(next > low && next < high)) {
      next = low + (high - low) / 2;
    }
    const bool settled = std::fabs(next - t) <= 1e-16 || high - low <= 1e-16;
    t = next;
    if (settled) {
      break;
    }
  }
  return std::exp(starts_[cell] + t * (starts_[cell + 1] - starts_[cell]));
}

}  // namespace fluxeta::liquids
