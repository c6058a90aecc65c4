#include "run/station_table_csv.h"

#include "case/number_text.h"

namespace fluxeta::cases {

namespace {
constexpr std::string_view kStationHeader = "station";
constexpr char kSeparator = ',';
constexpr char kLineEnd = '\n';
}  // namespace

std::string StationTableCsv(const StationTable& table) {
  std::string text(kStationHeader);
  for (const StationColumn& column : kStationColumns) {
    text += kSeparator;
    text += column.name;
    text += " (";
    text += column.unit;
    text += ')';
  }
  text += kLineEnd;

  for (int station = 1; station <= StationCount; ++station) {
    text += std::to_string(station);
    for (const StationColumn& column : kStationColumns) {
      text += kSeparator;
      text += ShortestText((table.*column.values)[station]);
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace fluxeta::cases
