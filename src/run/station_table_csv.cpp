#include "fluxeta/run/station_table_csv.h"

#include "fluxeta/case/number_text.h"

namespace fluxeta::run {

namespace {
constexpr std::string_view kStationHeader = "station";
constexpr char kSeparator = ',';
constexpr char kLineEnd = '\n';
}  // namespace

std::string StationTableCsv(const cases::StationTable& table) {
  std::string text(kStationHeader);
  for (const cases::StationColumn& column : cases::kStationColumns) {
    text += kSeparator;
    text += column.name;
    text += " (";
    text += column.unit;
    text += ')';
  }
  text += kLineEnd;

  for (int station = 1; station <= cases::StationCount; ++station) {
    text += std::to_string(station);
    for (const cases::StationColumn& column : cases::kStationColumns) {
      text += kSeparator;
      text += cases::ShortestText((table.*column.values)[station]);
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace fluxeta::run
