#include <cmath>

#include "fluxeta/case/number_text.h"
#include "fluxeta/run/die_exports.h"

namespace fluxeta::run {

std::string DieStationTableCsv(const solver::DieSolution& solution) {
  std::string text = "station";
  for (const solver::DieStationColumn& column : solver::kDieStationColumns) {
    text += ',';
    text += column.name;
    text += " (";
    text += column.unit;
    text += ')';
  }
  text += '\n';
  for (int i = 0; i < solution.stations; ++i) {
    text += std::to_string(i + 1);
    for (const solver::DieStationColumn& column : solver::kDieStationColumns) {
      const double value = (solution.table.*column.values)[i];
      text += ',';
      if (std::isfinite(value)) {
        text += cases::ShortestText(value);
      }
    }
    text += '\n';
  }
  return text;
}

}  // namespace fluxeta::run
