#include "fluxeta/study/study_csv.h"

#include <charconv>

#include "fluxeta/study/study_columns.h"

namespace fluxeta::study {

namespace {

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
  AppendStudyHeader(text, grid, robust ? StudyRows::Robust : StudyRows::Window);
}

void AppendStudyRow(std::string& text, const std::vector<std::string>& inputTexts,
                    const CaseResult& result, bool robust) {
  AppendStudyRow(text, inputTexts, result, robust ? StudyRows::Robust : StudyRows::Window);
}

void AppendStudyHeader(std::string& text, const StudyGrid& grid, StudyRows rows) {
  for (const StudyVariable* input : grid.Columns()) {
    text += input->name;
    text += ',';
  }
  bool first = true;
  for (const StudyColumn& column : kStudyColumns) {
    if (InRows(column, rows)) {
      text += first ? "" : ",";
      text += column.name;
      first = false;
    }
  }
  text += '\n';
}

void AppendStudyRow(std::string& text, const std::vector<std::string>& inputTexts,
                    const CaseResult& result, StudyRows rows) {
  for (const std::string& input : inputTexts) {
    AppendCsvField(text, input);
    text += ',';
  }
  bool first = true;
  for (const StudyColumn& column : kStudyColumns) {
    if (!InRows(column, rows)) {
      continue;
    }
    text += first ? "" : ",";
    first = false;
    if (!HasField(column, result)) {
      continue;
    }
    switch (column.kind) {
      case ColumnKind::Verdict:
        text += result.converged ? "true" : "false";
        break;
      case ColumnKind::Status:
        text += base::OutcomeCode(result.status);
        break;
      case ColumnKind::Sweeps:
        AppendNumber(text, result.sweeps);
        break;
      case ColumnKind::Outcome:
        AppendCsvField(text, result.outcome);
        break;
      case ColumnKind::Figure:
      case ColumnKind::Spread:
        AppendNumber(text, result.*column.figure);
        break;
    }
  }
  text += '\n';
}

}  // namespace fluxeta::study
