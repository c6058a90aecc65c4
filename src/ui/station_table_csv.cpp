#include "station_table_csv.h"

#include <array>
#include <charconv>
#include <string_view>

namespace fluxeta::ui {

namespace {

struct CsvColumn {
  std::string_view header;
  cases::StationValues cases::StationTable::*values;
};

// The result file's columns in its order, after the position of the station.
constexpr std::array<CsvColumn, 14> kCsvColumns = {{
    {"X (cm)", &cases::StationTable::X},
    {"P (Pa)", &cases::StationTable::P},
    {"Q (cm3/s)", &cases::StationTable::Q},
    {"DelQ (cm3/s)", &cases::StationTable::DelQ},
    {"Q_DIFF (%)", &cases::StationTable::Q_DIFF},
    {"APP_SR_C (1/s)", &cases::StationTable::APP_SR_C},
    {"SR_S (1/s)", &cases::StationTable::SR_S},
    {"APP_VIS_C (Pa.s)", &cases::StationTable::APP_VIS_C},
    {"VIS_S (Pa.s)", &cases::StationTable::VIS_S},
    {"A (cm2)", &cases::StationTable::A},
    {"Dh (cm)", &cases::StationTable::Dh},
    {"H (cm)", &cases::StationTable::H},
    {"L (cm)", &cases::StationTable::L},
    {"RTime (s)", &cases::StationTable::RTime},
}};

constexpr std::string_view kStationHeader = "Station";
constexpr char kSeparator = ',';
constexpr char kLineEnd = '\n';

void AppendShortest(std::string& text, double value) {
  // Enough for the longest shortest-round-trip form of a double, "-2.2250738585072014e-308".
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  text.append(buffer.data(), result.ptr);
}

}  // namespace

std::string StationTableCsv(const cases::StationTable& table) {
  std::string text(kStationHeader);
  for (const CsvColumn& column : kCsvColumns) {
    text += kSeparator;
    text += column.header;
  }
  text += kLineEnd;

  for (int station = 1; station <= cases::StationCount; ++station) {
    text += std::to_string(station);
    for (const CsvColumn& column : kCsvColumns) {
      text += kSeparator;
      AppendShortest(text, (table.*column.values)[station]);
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace fluxeta::ui
