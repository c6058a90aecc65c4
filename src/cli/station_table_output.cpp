#include "station_table_output.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_columns.h"
#include "fluxeta/run/station_table_csv.h"
#include "json_text.h"

namespace fluxeta::cli {

namespace {

using cases::CaseParameters;
using nlohmann::ordered_json;

constexpr std::string_view kPressureUnit = "Pa";
constexpr std::string_view kDelQRmsUnit = "cm3/s";
constexpr std::string_view kDimensionless = "-";

std::string_view Boolean(bool value) {
  return value ? "true" : "false";
}

void CsvSummaryLine(std::ostream& out, std::string_view name, std::string_view value,
                    std::string_view unit) {
  out << "# " << name << ',' << value << ',' << unit << '\n';
}

ordered_json Quantity(double value, std::string_view unit) {
  ordered_json quantity;
  quantity["value"] = value;
  quantity["unit"] = unit;
  return quantity;
}

// The inputs and the derived values go by the record's field names.
template <typename Spec, std::size_t N>
ordered_json Quantities(const std::array<Spec, N>& fields, const CaseParameters& parameters) {
  ordered_json quantities = ordered_json::object();
  for (const Spec& field : fields) {
    quantities[std::string(field.fieldName)] = Quantity(parameters.*field.field, field.unit);
  }
  return quantities;
}

}  // namespace

void WriteTablesCsv(const RunTables& run, std::ostream& out) {
  for (const cases::InputSpec& input : cases::kInputs) {
    CsvSummaryLine(out, input.fieldName, cases::ShortestText(run.parameters.*input.field),
                   input.unit);
  }
  for (const cases::DerivedSpec& derived : cases::kDerivedValues) {
    CsvSummaryLine(out, derived.fieldName, cases::ShortestText(run.parameters.*derived.field),
                   derived.unit);
  }
  CsvSummaryLine(out, "converged", Boolean(run.status == base::Outcome::Converged), "");
  CsvSummaryLine(out, "status", std::string(base::OutcomeCode(run.status)), "");
  CsvSummaryLine(out, "sweeps", std::to_string(run.solve.sweeps), "");
  CsvSummaryLine(out, "entrancePressure", cases::ShortestText(run.table.P[1]), kPressureUnit);
  CsvSummaryLine(out, "DelQRms", cases::ShortestText(run.table.DelQRms), kDelQRmsUnit);
  CsvSummaryLine(out, "uniformity", cases::ShortestText(run.table.Uniformity), kDimensionless);

  out << run::StationTableCsv(run.table);
}

void WriteTablesJson(const RunTables& run, std::ostream& out) {
  // JSON has no infinity or not-a-number; a run stops at a fault before either appears, but
  // the output stays valid JSON regardless (null).
  ordered_json tables;
  tables["inputs"] = Quantities(cases::kInputs, run.parameters);
  tables["derived"] = Quantities(cases::kDerivedValues, run.parameters);
  tables["converged"] = run.status == base::Outcome::Converged;
  tables["status"] = base::OutcomeCode(run.status);
  tables["sweeps"] = run.solve.sweeps;
  tables["entrancePressure"] = Quantity(run.table.P[1], kPressureUnit);
  tables["DelQRms"] = Quantity(run.table.DelQRms, kDelQRmsUnit);
  tables["uniformity"] = Quantity(run.table.Uniformity, kDimensionless);
  ordered_json& units = tables["units"] = ordered_json::object();
  for (const cases::StationColumn& column : cases::kStationColumns) {
    units[std::string(column.name)] = column.unit;
  }
  ordered_json& stations = tables["stations"] = ordered_json::array();
  for (int station = 1; station <= cases::StationCount; ++station) {
    ordered_json row;
    row["station"] = station;
    for (const cases::StationColumn& column : cases::kStationColumns) {
      row[std::string(column.name)] = (run.table.*column.values)[station];
    }
    stations.push_back(std::move(row));
  }
  out << JsonText(tables, JsonLayout::LeavesInline) << '\n';
}

}  // namespace fluxeta::cli
