#include "fluxeta/design/design_tables.h"

#include <cmath>

#include "fluxeta/case/number_text.h"
#include "fluxeta/design/coating_window_limit.h"
#include "fluxeta/study/study_csv.h"

namespace fluxeta::design {

namespace {

using Kind = TableCell::Kind;
using nlohmann::ordered_json;
using study::AppendCsvField;

TableCell Integer(std::int64_t value) {
  TableCell cell;
  cell.kind = Kind::Integer;
  cell.integer = value;
  return cell;
}

TableCell Number(double value) {
  TableCell cell;
  cell.kind = Kind::Number;
  cell.number = value;
  return cell;
}

// A figure of a solved design; missing otherwise, or when it is not finite.
TableCell Figure(bool solved, double value) {
  TableCell cell;
  cell.kind = Kind::Figure;
  cell.present = solved && std::isfinite(value);
  cell.number = cell.present ? value : 0;
  return cell;
}

TableCell Text(std::string text) {
  TableCell cell;
  cell.kind = Kind::Text;
  cell.text = std::move(text);
  return cell;
}

TableCell Boolean(bool value) {
  TableCell cell;
  cell.kind = Kind::Boolean;
  cell.boolean = value;
  return cell;
}

ordered_json FigureJson(bool solved, double value) {
  return solved && std::isfinite(value) ? ordered_json(value) : ordered_json(nullptr);
}

ordered_json CellJson(const TableCell& cell) {
  switch (cell.kind) {
    case Kind::Integer:
      return cell.integer;
    case Kind::Number:
      return cell.number;
    case Kind::Figure:
      return cell.present ? ordered_json(cell.number) : ordered_json(nullptr);
    case Kind::Text:
      return cell.text;
    case Kind::Boolean:
      break;
  }
  return cell.boolean;
}

void AppendCsvCell(std::string& line, const TableCell& cell) {
  switch (cell.kind) {
    case Kind::Integer:
      line += std::to_string(cell.integer);
      return;
    case Kind::Number:
      line += cases::ShortestText(cell.number);
      return;
    case Kind::Figure:
      if (cell.present) {
        line += cases::ShortestText(cell.number);
      }
      return;
    case Kind::Text:
      AppendCsvField(line, cell.text);
      return;
    case Kind::Boolean:
      line += cell.boolean ? "true" : "false";
      return;
  }
}

}  // namespace

std::vector<TableColumn<DesignEvaluation>> HistoryColumns(const DesignModel& model,
                                                          const OptimiseResult& result) {
  std::vector<TableColumn<DesignEvaluation>> columns;
  columns.push_back({"evaluation", Kind::Integer, [](const DesignEvaluation&, std::size_t index) {
                       return Integer(static_cast<std::int64_t>(index) + 1);
                     }});
  for (const DesignVariable& variable : result.variables) {
    const std::size_t quantity = variable.quantity;
    columns.push_back({model.Quantities()[quantity].name, Kind::Number,
                       [quantity](const DesignEvaluation& evaluation, std::size_t) {
                         return Number(evaluation.values[quantity]);
                       }});
  }
  columns.push_back({"status", Kind::Text, [](const DesignEvaluation& evaluation, std::size_t) {
                       return Text(std::string(base::OutcomeCode(evaluation.figures.status)));
                     }});
  columns.push_back(
      {"feasible", Kind::Boolean, [](const DesignEvaluation& evaluation, std::size_t) {
         return Boolean(evaluation.feasible);
       }});
  for (const FigureSpec& figure : ReportedFigures(model)) {
    const double DesignFigures::*value = figure.value;
    columns.push_back({std::string(figure.key), Kind::Figure,
                       [value](const DesignEvaluation& evaluation, std::size_t) {
                         return Figure(evaluation.figures.Solved(), evaluation.figures.*value);
                       }});
  }
  return columns;
}

std::vector<TableColumn<Sensitivity>> SensitivityColumns(const DesignModel& model) {
  const auto quantity = [&model](const Sensitivity& row) -> const DesignQuantity& {
    return model.Quantities()[row.quantity];
  };
  std::vector<TableColumn<Sensitivity>> columns = {
      {"name", Kind::Text,
       [quantity](const Sensitivity& row, std::size_t) { return Text(quantity(row).name); }},
      {"unit", Kind::Text,
       [quantity](const Sensitivity& row, std::size_t) { return Text(quantity(row).unit); }},
      {"value", Kind::Number,
       [](const Sensitivity& row, std::size_t) { return Number(row.value); }},
      {"step", Kind::Number, [](const Sensitivity& row, std::size_t) { return Number(row.step); }},
      {"solved", Kind::Boolean,
       [](const Sensitivity& row, std::size_t) { return Boolean(row.solved); }},
  };
  const std::pair<const char*, double Sensitivity::*> derivatives[] = {
      {"uniformity_per_unit", &Sensitivity::uniformityPerUnit},
      {"uniformity_per_percent", &Sensitivity::uniformityPerPercent},
      {"entrance_pressure_Pa_per_unit", &Sensitivity::pressurePerUnit},
      {"entrance_pressure_Pa_per_percent", &Sensitivity::pressurePerPercent},
  };
  for (const auto& [name, value] : derivatives) {
    columns.push_back({name, Kind::Figure, [value = value](const Sensitivity& row, std::size_t) {
                         return Figure(row.solved, row.*value);
                       }});
  }
  return columns;
}

template <typename Row>
std::string TableCsv(const std::vector<TableColumn<Row>>& columns, const std::vector<Row>& rows) {
  std::string text;
  for (std::size_t column = 0; column < columns.size(); ++column) {
    text += column == 0 ? "" : ",";
    AppendCsvField(text, columns[column].name);
  }
  text += '\n';
  for (std::size_t index = 0; index < rows.size(); ++index) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
      text += column == 0 ? "" : ",";
      AppendCsvCell(text, columns[column].cell(rows[index], index));
    }
    text += '\n';
  }
  return text;
}

template <typename Row>
ordered_json TableRowJson(const std::vector<TableColumn<Row>>& columns, const Row& row,
                          std::size_t index) {
  ordered_json object = ordered_json::object();
  for (const TableColumn<Row>& column : columns) {
    object[column.name] = CellJson(column.cell(row, index));
  }
  return object;
}

template std::string TableCsv(const std::vector<TableColumn<DesignEvaluation>>&,
                              const std::vector<DesignEvaluation>&);
template std::string TableCsv(const std::vector<TableColumn<Sensitivity>>&,
                              const std::vector<Sensitivity>&);
template ordered_json TableRowJson(const std::vector<TableColumn<Sensitivity>>&, const Sensitivity&,
                                   std::size_t);

ordered_json OptimiseReport(const DesignModel& model, const OptimiseResult& result) {
  const DesignFigures& figures = result.best.figures;
  ordered_json report;
  report["status"] = OptimiseStatusName(result.status);
  report["inputs"] = model.ReportedValues(result.best.values);
  for (const FigureSpec& figure : ReportedFigures(model)) {
    report[std::string(figure.key)] = FigureJson(figures.Solved(), figures.*figure.value);
  }
  report["evaluations"] = result.evaluations;
  report["reason"] = result.reason;
  return report;
}

ordered_json SensitivityReport(const DesignModel& model, const SensitivityResult& result) {
  ordered_json report;
  report["uniformity"] = FigureJson(result.centre.Solved(), result.centre.uniformity);
  report["entrance_pressure_Pa"] =
      FigureJson(result.centre.Solved(), result.centre.entrancePressure);
  report["relative_step"] = result.relativeStep;
  report["inputs"] = ordered_json::array();
  const auto columns = SensitivityColumns(model);
  for (std::size_t index = 0; index < result.rows.size(); ++index) {
    report["inputs"].push_back(TableRowJson(columns, result.rows[index], index));
  }
  return report;
}

ordered_json ToleranceReport(const DesignModel& model, const ToleranceBand& band) {
  ordered_json report;
  report["corners"] = band.corners;
  report["unsolved_corners"] = band.unsolvedCorners;
  report["uniformity"] = FigureJson(band.centre.Solved(), band.centre.uniformity);
  report["entrance_pressure_Pa"] = FigureJson(band.centre.Solved(), band.centre.entrancePressure);
  const bool complete = band.Complete();
  report["worst_uniformity"] = FigureJson(complete, band.worstUniformity);
  report["best_uniformity"] = FigureJson(complete, band.bestUniformity);
  report["lowest_entrance_pressure_Pa"] = FigureJson(complete, band.lowestEntrancePressure);
  report["highest_entrance_pressure_Pa"] = FigureJson(complete, band.highestEntrancePressure);
  report["worst_uniformity_inputs"] =
      complete ? model.ReportedValues(band.worstUniformityCase) : ordered_json(nullptr);
  return report;
}

}  // namespace fluxeta::design
