#include "fluxeta/run/result_file.h"

#include <array>
#include <string_view>

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_columns.h"
#include "fluxeta/run/data_file.h"

namespace fluxeta::run {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

constexpr std::size_t kInputLabelBytes = 51;
constexpr std::size_t kInputEqualsByte = 49;

constexpr bool InputLabelsAreAligned() {
  for (const cases::InputSpec& input : cases::kInputs) {
    if (input.resultLabel.size() != kInputLabelBytes ||
        input.resultLabel.find('=') != kInputEqualsByte - 1) {
      return false;
    }
  }
  return true;
}
static_assert(InputLabelsAreAligned(), "every input label is 51 bytes with its = at byte 49");

// The station table: a cell per column, PadLeft to its width, two blanks between cells.
constexpr std::size_t kRowNumberWidth = 3;
constexpr std::string_view kCellSeparator = "  ";

constexpr std::string_view kNote =
    "(Note: \"APP_\" denotes apparent, \"_C\" denotes cavity ,and \"_S\" denotes slot)";
static_assert(kNote.size() == 75);

constexpr std::string_view kEntrancePressureLabel = "   Entrance pressure (MPa)  =  ";
constexpr std::string_view kUniformityLabel = "   Uniformity (-)           =  ";
constexpr cases::NumberStyle kEntrancePressureStyle = {cases::NumberFormat::Fixed, 7, 3};
constexpr cases::NumberStyle kUniformityStyle = {cases::NumberFormat::Fixed, 5, 3};
constexpr long double kPascalsPerMegapascal = 1e6L;

// The header lines of the station table: each column's cells in column order.
std::string ColumnHeaderLine(std::string_view cases::ResultFileColumn::*cell) {
  std::string line;
  for (const cases::StationColumn& column : cases::kStationColumns) {
    if (column.resultFile) {
      line += (*column.resultFile).*cell;
    }
  }
  return line;
}

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += kLineEnd;
}

}  // namespace

// The quotient is worked out with the 64-bit significand; the formatter takes a double,
// which at the three printed decimals reads as the wide quotient does for every pressure
// but an exact odd multiple of 500 Pa (a tie that the wide quotient would round up and
// its double may round down).
std::string EntrancePressureText(double entrancePressure, char separator) {
  const long double megapascals = entrancePressure / kPascalsPerMegapascal;
  return cases::FormatNumber(static_cast<double>(megapascals), kEntrancePressureStyle, separator);
}

// "Read Data File" takes the value lines of an input section as a data file's lines.
static_assert(cases::kInputs.size() == kDataFileLineCount,
              "an input section holds one value line per data file line");

std::string InputSectionText(const cases::CaseParameters& parameters, char separator) {
  std::string text;
  AppendLine(text, "");
  AppendLine(text, "[INPUT DATA]");
  for (const cases::InputSpec& input : cases::kInputs) {
    std::string valueLine(input.resultLabel);
    valueLine += cases::FormatNumber(parameters.*input.field, input.resultStyle, separator);
    AppendLine(text, valueLine);
  }
  return text;
}

std::string StationRowText(const cases::StationTable& table, int station, char separator) {
  std::string row = cases::PadLeft(std::to_string(station), kRowNumberWidth);
  for (const cases::StationColumn& column : cases::kStationColumns) {
    if (!column.resultFile) {
      continue;
    }
    row += kCellSeparator;
    const double value = (table.*column.values)[station];
    row += cases::PadLeft(cases::FormatNumber(value, column.resultFile->style, separator),
                          column.resultFile->width);
  }
  return row;
}

std::string ResultSectionText(const cases::StationTable& table, char separator) {
  std::string text;
  AppendLine(text, "");
  AppendLine(text, "[RESULT]");
  AppendLine(text, ColumnHeaderLine(&cases::ResultFileColumn::nameCell));
  AppendLine(text, ColumnHeaderLine(&cases::ResultFileColumn::unitCell));
  for (int station = 1; station <= cases::StationCount; ++station) {
    AppendLine(text, StationRowText(table, station, separator));
  }
  AppendLine(text, kNote);
  AppendLine(text, "");
  AppendLine(text,
             std::string(kEntrancePressureLabel) + EntrancePressureText(table.P[1], separator));
  AppendLine(text, std::string(kUniformityLabel) +
                       cases::FormatNumber(table.Uniformity, kUniformityStyle, separator));
  return text;
}

OpenFailure WriteInputSection(const cases::CaseParameters& parameters, char separator,
                              ClaimedFile& file) {
  return file.Create(parameters.ResultFileName, InputSectionText(parameters, separator));
}

OpenFailure WriteResultSection(const cases::CaseParameters& parameters,
                               const cases::StationTable& table, char separator,
                               const ClaimedFile& file) {
  return file.Append(parameters.ResultFileName, ResultSectionText(table, separator));
}

}  // namespace fluxeta::run
