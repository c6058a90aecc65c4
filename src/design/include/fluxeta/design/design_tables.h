// The design's outputs as tables every front reads: the fields of the optimise and
// tolerance reports, the columns of the history and of the sensitivities. The command
// line prints them as JSON and CSV, Python returns them as dicts and NumPy columns, so a
// new field or column is a row here and shows in every front.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/design/optimiser.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"

namespace fluxeta::design {

// One cell of a table: a figure is a number that may be missing (a design not solved).
struct TableCell {
  enum class Kind { Integer, Number, Figure, Text, Boolean };
  Kind kind = Kind::Number;
  std::int64_t integer = 0;
  double number = 0;  // Number, and Figure when present
  bool present = true;
  bool boolean = false;
  std::string text;
};

template <typename Row>
struct TableColumn {
  std::string name;
  TableCell::Kind kind;
  std::function<TableCell(const Row& row, std::size_t index)> cell;
};

// The history of a search: evaluation (1, 2, …), each variable, status (the outcome
// code), feasible, and the model's ReportedFigures.
std::vector<TableColumn<DesignEvaluation>> HistoryColumns(const DesignModel& model,
                                                          const OptimiseResult& result);

// name, unit, value, step, solved and the four derivatives of each quantity.
std::vector<TableColumn<Sensitivity>> SensitivityColumns(const DesignModel& model);

// The table as CSV: a header of the column names, a line per row, numbers in their
// shortest exact form, a missing figure empty.
template <typename Row>
std::string TableCsv(const std::vector<TableColumn<Row>>& columns, const std::vector<Row>& rows);

// A row as a JSON object {column: cell}, a missing figure null.
template <typename Row>
nlohmann::ordered_json TableRowJson(const std::vector<TableColumn<Row>>& columns, const Row& row,
                                    std::size_t index);

// status, inputs, the model's ReportedFigures (null where not solved), evaluations,
// reason.
nlohmann::ordered_json OptimiseReport(const DesignModel& model, const OptimiseResult& result);

// uniformity and entrance_pressure_Pa of the design, relative_step and a row per input.
nlohmann::ordered_json SensitivityReport(const DesignModel& model, const SensitivityResult& result);

// corners, unsolved_corners, the centre's figures, the band's figures and the inputs of
// its worst uniformity: null where not solved, and every figure of the band null when a
// point of it was not solved.
nlohmann::ordered_json ToleranceReport(const DesignModel& model, const ToleranceBand& band);

}  // namespace fluxeta::design
