#include "case/result_file.h"

#include <array>
#include <string_view>

#include "case/number_text.h"
#include "case/text_file_writer.h"

namespace fluxeta::cases {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// How one number is printed: format, precision (significant digits) and digits.
struct NumberStyle {
  NumberFormat format;
  int precision;
  int digits;
};

std::string Format(double value, NumberStyle style) {
  return FormatNumber(value, style.format, style.precision, style.digits);
}

// The input lines. Each label is 51 bytes with its "=" at byte 49, the Greek letters as
// their two code page 932 bytes (γ 83 C1, λ 83 C9, α 83 BF, η 83 C5, ρ 83 CF); the
// literals are split after each letter so that no following hex digit joins the escape.
struct InputLine {
  std::string_view label;
  double CaseParameters::*value;
  NumberStyle style;
};

constexpr std::size_t kInputLabelBytes = 51;
constexpr std::size_t kInputEqualsByte = 49;

constexpr std::array<InputLine, 15> kInputLines = {{
    {"   Entrance cross sectional area   Ain (cm2)    =  ",
     &CaseParameters::Ain,
     {NumberFormat::Fixed, 7, 4}},
    {"   Cavity taper factor   \x83\xC1"
     " (-)                 =  ",
     &CaseParameters::gamma,
     {NumberFormat::Fixed, 6, 4}},
    {"   Entrance cavity perimeter   Pein (cm)        =  ",
     &CaseParameters::Pein,
     {NumberFormat::Fixed, 7, 4}},
    {"   Entrance slot length   Lin (cm)              =  ",
     &CaseParameters::Lin,
     {NumberFormat::Fixed, 5, 2}},
    {"   End slot length   Lend (cm)                  =  ",
     &CaseParameters::Lend,
     {NumberFormat::Fixed, 5, 2}},
    {"   Die width   W (cm)                           =  ",
     &CaseParameters::W,
     {NumberFormat::Fixed, 6, 2}},
    {"   Slot gap   H (cm)                            =  ",
     &CaseParameters::H,
     {NumberFormat::Fixed, 6, 4}},
    {"   Shape factor for viscous friction   \x83\xC9"
     " (-)   =  ",
     &CaseParameters::lambda,
     {NumberFormat::Fixed, 6, 2}},
    {"   Shape factor for inertia   \x83\xBF"
     " (-)            =  ",
     &CaseParameters::alpha,
     {NumberFormat::Fixed, 5, 3}},
    {"   Reference viscosity   \x83\xC5"
     "0 (Pa.s)             =  ",
     &CaseParameters::eta0,
     {NumberFormat::General, 5, 2}},
    {"   Reference shear rate   \x83\xC1"
     "0 (1/s)             =  ",
     &CaseParameters::gamma0,
     {NumberFormat::General, 5, 2}},
    {"   Power-law index   n (-)                      =  ",
     &CaseParameters::n,
     {NumberFormat::Fixed, 5, 3}},
    {"   Critical shear rate   \x83\xC1"
     "cr (1/s)             =  ",
     &CaseParameters::gammaCr,
     {NumberFormat::General, 5, 2}},
    {"   Density   \x83\xCF"
     " (g/cm3)                         =  ",
     &CaseParameters::rho,
     {NumberFormat::Fixed, 5, 3}},
    {"   Initial flow rate   Qin (cm3/s)              =  ",
     &CaseParameters::Qin,
     {NumberFormat::Fixed, 7, 2}},
}};

constexpr bool InputLabelsAreAligned() {
  for (const InputLine& line : kInputLines) {
    if (line.label.size() != kInputLabelBytes || line.label.find('=') != kInputEqualsByte - 1) {
      return false;
    }
  }
  return true;
}
static_assert(InputLabelsAreAligned(), "every input label is 51 bytes with its = at byte 49");

// The station table: a cell per column, PadLeft to its width, two blanks between cells.
struct StationColumn {
  StationValues StationTable::*values;
  NumberStyle style;
  std::size_t width;
};

constexpr std::size_t kRowNumberWidth = 3;
constexpr std::string_view kCellSeparator = "  ";

constexpr std::array<StationColumn, 13> kStationColumns = {{
    {&StationTable::P, {NumberFormat::General, 5, 2}, 9},
    {&StationTable::Q, {NumberFormat::Fixed, 8, 3}, 8},
    {&StationTable::DelQ, {NumberFormat::Fixed, 8, 4}, 8},
    {&StationTable::Q_DIFF, {NumberFormat::Fixed, 7, 3}, 8},
    {&StationTable::APP_SR_C, {NumberFormat::Fixed, 8, 3}, 8},
    {&StationTable::SR_S, {NumberFormat::Fixed, 8, 2}, 8},
    {&StationTable::APP_VIS_C, {NumberFormat::Fixed, 8, 4}, 8},
    {&StationTable::VIS_S, {NumberFormat::Fixed, 8, 4}, 8},
    {&StationTable::A, {NumberFormat::Fixed, 8, 4}, 8},
    {&StationTable::Dh, {NumberFormat::Fixed, 8, 4}, 8},
    {&StationTable::H, {NumberFormat::Fixed, 8, 4}, 8},
    {&StationTable::L, {NumberFormat::Fixed, 7, 3}, 7},
    {&StationTable::RTime, {NumberFormat::Fixed, 8, 3}, 8},
}};

constexpr std::string_view kColumnNames =
    "         P          Q       DelQ      Q_DIFF   APP_SR_C  SR_S     APP_VIS_C   VIS_S      A"
    "         Dh        H         L       RTime";
// "(PA.s)" is the unit as the file has always spelled it.
constexpr std::string_view kColumnUnits =
    "        (Pa)      (cm3/s)  (cm3/s)     (%)       (1/s)   (1/s)      (PA.s)    (Pa.s)    "
    "(cm2)     (cm)      (cm)      (cm)      (s)";
constexpr std::string_view kNote =
    "(Note: \"APP_\" denotes apparent, \"_C\" denotes cavity ,and \"_S\" denotes slot)";
static_assert(kColumnNames.size() == 132 && kColumnUnits.size() == 131 && kNote.size() == 75);

constexpr std::string_view kEntrancePressureLabel = "   Entrance pressure (MPa)  =  ";
constexpr std::string_view kUniformityLabel = "   Uniformity (-)           =  ";
constexpr NumberStyle kEntrancePressureStyle = {NumberFormat::Fixed, 7, 3};
constexpr NumberStyle kUniformityStyle = {NumberFormat::Fixed, 5, 3};
constexpr long double kPascalsPerMegapascal = 1e6L;

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += kLineEnd;
}

}  // namespace

// The quotient is worked out with the 64-bit significand; the formatter takes a double,
// which at the three printed decimals reads as the wide quotient does for every pressure
// but an exact odd multiple of 500 Pa (a tie that the wide quotient would round up and
// its double may round down).
std::string EntrancePressureText(double entrancePressure) {
  const long double megapascals = entrancePressure / kPascalsPerMegapascal;
  return Format(static_cast<double>(megapascals), kEntrancePressureStyle);
}

std::string InputSectionText(const CaseParameters& parameters) {
  std::string text;
  AppendLine(text, "");
  AppendLine(text, "[INPUT DATA]");
  for (const InputLine& line : kInputLines) {
    std::string valueLine(line.label);
    valueLine += Format(parameters.*line.value, line.style);
    AppendLine(text, valueLine);
  }
  return text;
}

std::string StationRowText(const StationTable& table, int station) {
  std::string row = PadLeft(std::to_string(station), kRowNumberWidth);
  for (const StationColumn& column : kStationColumns) {
    row += kCellSeparator;
    row += PadLeft(Format((table.*column.values)[station], column.style), column.width);
  }
  return row;
}

std::string ResultSectionText(const StationTable& table) {
  std::string text;
  AppendLine(text, "");
  AppendLine(text, "[RESULT]");
  AppendLine(text, kColumnNames);
  AppendLine(text, kColumnUnits);
  for (int station = 1; station <= StationCount; ++station) {
    AppendLine(text, StationRowText(table, station));
  }
  AppendLine(text, kNote);
  AppendLine(text, "");
  AppendLine(text, std::string(kEntrancePressureLabel) + EntrancePressureText(table.P[1]));
  AppendLine(text, std::string(kUniformityLabel) + Format(table.Uniformity, kUniformityStyle));
  return text;
}

bool WriteInputSection(const CaseParameters& parameters) {
  return WriteToFile(parameters.ResultFileName, WriteMode::CreateOrTruncate,
                     InputSectionText(parameters));
}

bool WriteResultSection(const CaseParameters& parameters, const StationTable& table) {
  return WriteToFile(parameters.ResultFileName, WriteMode::AppendToExisting,
                     ResultSectionText(table));
}

}  // namespace fluxeta::cases
