#include "fluxeta/study/study_csv.h"

#include <charconv>

namespace fluxeta::study {

namespace {

constexpr std::string_view kResultColumns[] = {
    "converged",  "status",  "sweeps",     "outcome",   "entrance_pressure_Pa",
    "uniformity", "DelQRms", "Q_DIFF_min", "Q_DIFF_max"};

template <typename Number>
void AppendNumber(std::string& line, Number value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  line.append(buffer, result.ptr);
}

}  // namespace

void AppendCsvField(std::string& line, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    line += field;
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') {
      line += '"';
    }
    line += c;
  }
  line += '"';
}

void AppendStudyHeader(std::string& text, const StudyGrid& grid, bool robust) {
  for (const StudyInput* input : grid.Columns()) {
    text += input->name;
    text += ',';
  }
  for (std::size_t column = 0; column < std::size(kResultColumns); ++column) {
    text += column == 0 ? "" : ",";
    text += kResultColumns[column];
  }
  if (robust) {
    text += ",entrance_pressure_spread_Pa,uniformity_spread";
  }
  text += '\n';
}

void AppendStudyRow(std::string& text, const std::vector<std::string>& inputTexts,
                    const CaseResult& result, bool robust) {
  for (const std::string& input : inputTexts) {
    AppendCsvField(text, input);
    text += ',';
  }
  text += result.converged ? "true," : "false,";
  text += base::OutcomeCode(result.status);
  text += ',';
  if (result.sweeps > 0) {
    AppendNumber(text, result.sweeps);
  }
  text += ',';
  AppendCsvField(text, result.outcome);
  if (result.converged || result.gapAnswer) {
    for (const double figure : {result.entrancePressure, result.uniformity, result.delQRms,
                                result.qDiffMin, result.qDiffMax}) {
      text += ',';
      AppendNumber(text, figure);
    }
  } else {
    text += ",,,,,";
  }
  if (robust) {
    text += ',';
    if (result.gapAnswer) {
      AppendNumber(text, result.entrancePressureSpread);
      text += ',';
      AppendNumber(text, result.uniformitySpread);
    } else {
      text += ',';
    }
  }
  text += '\n';
}

}  // namespace fluxeta::study
