// The columns of the station table, in the order every output lists them: the printed
// name, the unit, and how the result file prints the column. A new column is a row here
// plus the code that computes it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_table.h"

namespace fluxeta::cases {

// How the result file prints a column: the header cells (name and unit, each with the
// blanks that stand before it), the style of its numbers and the width they are padded to.
struct ResultFileColumn {
  std::string_view nameCell;
  std::string_view unitCell;
  NumberStyle style;
  std::size_t width;
};

struct StationColumn {
  std::string_view name;
  std::string_view unit;
  StationValues StationTable::*values;
  std::optional<ResultFileColumn> resultFile;  // absent: not printed in the result file
};

// The station position, then the columns of the result file in its order. "(PA.s)" is
// the cavity viscosity's unit as the result file has always spelled it.
inline constexpr std::array<StationColumn, 14> kStationColumns = {{
    {"X", "cm", &StationTable::X, std::nullopt},
    {"P", "Pa", &StationTable::P,
     ResultFileColumn{"         P", "        (Pa)", {NumberFormat::General, 5, 2}, 9}},
    {"Q", "cm3/s", &StationTable::Q,
     ResultFileColumn{"          Q", "      (cm3/s)", {NumberFormat::Fixed, 8, 3}, 8}},
    {"DelQ", "cm3/s", &StationTable::DelQ,
     ResultFileColumn{"       DelQ", "  (cm3/s)", {NumberFormat::Fixed, 8, 4}, 8}},
    {"Q_DIFF", "%", &StationTable::Q_DIFF,
     ResultFileColumn{"      Q_DIFF", "     (%)", {NumberFormat::Fixed, 7, 3}, 8}},
    {"APP_SR_C", "1/s", &StationTable::APP_SR_C,
     ResultFileColumn{"   APP_SR_C", "       (1/s)", {NumberFormat::Fixed, 8, 3}, 8}},
    {"SR_S", "1/s", &StationTable::SR_S,
     ResultFileColumn{"  SR_S", "   (1/s)", {NumberFormat::Fixed, 8, 2}, 8}},
    {"APP_VIS_C", "Pa.s", &StationTable::APP_VIS_C,
     ResultFileColumn{"     APP_VIS_C", "      (PA.s)", {NumberFormat::Fixed, 8, 4}, 8}},
    {"VIS_S", "Pa.s", &StationTable::VIS_S,
     ResultFileColumn{"   VIS_S", "    (Pa.s)", {NumberFormat::Fixed, 8, 4}, 8}},
    {"A", "cm2", &StationTable::A,
     ResultFileColumn{"      A", "    (cm2)", {NumberFormat::Fixed, 8, 4}, 8}},
    {"Dh", "cm", &StationTable::Dh,
     ResultFileColumn{"         Dh", "     (cm)", {NumberFormat::Fixed, 8, 4}, 8}},
    {"H", "cm", &StationTable::H,
     ResultFileColumn{"        H", "      (cm)", {NumberFormat::Fixed, 8, 4}, 8}},
    {"L", "cm", &StationTable::L,
     ResultFileColumn{"         L", "      (cm)", {NumberFormat::Fixed, 7, 3}, 7}},
    {"RTime", "s", &StationTable::RTime,
     ResultFileColumn{"       RTime", "      (s)", {NumberFormat::Fixed, 8, 3}, 8}},
}};

}  // namespace fluxeta::cases
