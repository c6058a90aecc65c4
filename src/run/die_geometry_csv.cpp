#include <cmath>

#include "fluxeta/case/number_text.h"
#include "fluxeta/run/die_exports.h"

namespace fluxeta::run {

namespace {

struct GeometryColumn {
  std::string_view header;
  std::vector<double> solver::DieStationTable::*values;
};

constexpr std::array<GeometryColumn, 6> kGeometryColumns = {{
    {"x (cm)", &solver::DieStationTable::X},
    {"R (cm)", &solver::DieStationTable::R},
    {"A (cm2)", &solver::DieStationTable::A},
    {"Pe (cm)", &solver::DieStationTable::Pe},
    {"L (cm)", &solver::DieStationTable::L},
    {"H (cm)", &solver::DieStationTable::H},
}};

}  // namespace

std::string DieGeometryCsv(const solver::DieSolution& solution) {
  std::string text = "station";
  for (const GeometryColumn& column : kGeometryColumns) {
    text += ',';
    text += column.header;
  }
  text += '\n';
  for (int i = 0; i < solution.stations; ++i) {
    text += std::to_string(i + 1);
    for (const GeometryColumn& column : kGeometryColumns) {
      const double value = (solution.table.*column.values)[i];
      text += ',';
      if (!std::isnan(value)) {
        text += cases::ShortestText(value);
      }
    }
    text += '\n';
  }
  return text;
}

}  // namespace fluxeta::run
