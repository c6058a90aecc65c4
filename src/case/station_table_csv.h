// The station table as comma-separated text, for spreadsheets and scripts.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "case/station_table.h"

namespace fluxeta::cases {

struct StationColumn {
  std::string_view name;
  std::string_view unit;
  StationValues StationTable::*values;
};

// The station position, then the columns of the result file in its order.
inline constexpr std::array<StationColumn, 14> kStationColumns = {{
    {"X", "cm", &StationTable::X},
    {"P", "Pa", &StationTable::P},
    {"Q", "cm3/s", &StationTable::Q},
    {"DelQ", "cm3/s", &StationTable::DelQ},
    {"Q_DIFF", "%", &StationTable::Q_DIFF},
    {"APP_SR_C", "1/s", &StationTable::APP_SR_C},
    {"SR_S", "1/s", &StationTable::SR_S},
    {"APP_VIS_C", "Pa.s", &StationTable::APP_VIS_C},
    {"VIS_S", "Pa.s", &StationTable::VIS_S},
    {"A", "cm2", &StationTable::A},
    {"Dh", "cm", &StationTable::Dh},
    {"H", "cm", &StationTable::H},
    {"L", "cm", &StationTable::L},
    {"RTime", "s", &StationTable::RTime},
}};

// One header line "station,X (cm),P (Pa),…", then one line per station 1 … 50: the
// station number and its values in their shortest exact form (ShortestText). Lines end
// with "\n".
std::string StationTableCsv(const StationTable& table);

}  // namespace fluxeta::cases
