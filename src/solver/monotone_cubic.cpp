#include "monotone_cubic.h"

namespace fluxeta::solver {

std::vector<double> MonotoneSlopes(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t n = x.size();
  std::vector<double> slopes(n);
  slopes.front() = (y[1] - y[0]) / (x[1] - x[0]);
  slopes.back() = (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]);
  for (std::size_t k = 1; k + 1 < n; ++k) {
    const double before = x[k] - x[k - 1];
    const double after = x[k + 1] - x[k];
    const double secantBefore = (y[k] - y[k - 1]) / before;
    const double secantAfter = (y[k + 1] - y[k]) / after;
    if (secantBefore * secantAfter <= 0) {
      slopes[k] = 0;
      continue;
    }
    const double weightBefore = 2 * after + before;
    const double weightAfter = after + 2 * before;
    slopes[k] =
        (weightBefore + weightAfter) / (weightBefore / secantBefore + weightAfter / secantAfter);
  }
  return slopes;
}

MonotoneCubic::MonotoneCubic(std::vector<double> x, std::vector<double> y)
    : low_(x.front()), high_(x.back()), spline_([&] {
        std::vector<double> slopes = MonotoneSlopes(x, y);
        return boost::math::interpolators::cubic_hermite<std::vector<double>>(
            std::move(x), std::move(y), std::move(slopes));
      }()) {}

}  // namespace fluxeta::solver
