#include "station_table_output.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_columns.h"
#include "fluxeta/run/station_table_csv.h"

namespace fluxeta::cli {

namespace {

using cases::CaseParameters;

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

// JSON has no infinity or not-a-number; a run stops at a fault before either appears, but
// the output stays valid JSON regardless.
std::string JsonNumber(double value) {
  return std::isfinite(value) ? cases::ShortestText(value) : "null";
}

void JsonQuantity(std::ostream& out, std::string_view name, double value, std::string_view unit) {
  out << '"' << name << "\": {\"value\": " << JsonNumber(value) << ", \"unit\": \"" << unit
      << "\"}";
}

// The inputs and the derived values go by the record's field names.
template <typename Spec, std::size_t N>
void JsonQuantities(std::ostream& out, std::string_view name, const std::array<Spec, N>& fields,
                    const CaseParameters& parameters) {
  out << "  \"" << name << "\": {\n";
  for (std::size_t i = 0; i < N; ++i) {
    out << "    ";
    JsonQuantity(out, fields[i].fieldName, parameters.*fields[i].field, fields[i].unit);
    out << (i + 1 < N ? ",\n" : "\n");
  }
  out << "  },\n";
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
  CsvSummaryLine(out, "converged", Boolean(run.solve.converged), "");
  CsvSummaryLine(out, "sweeps", std::to_string(run.solve.sweeps), "");
  CsvSummaryLine(out, "entrancePressure", cases::ShortestText(run.table.P[1]), kPressureUnit);
  CsvSummaryLine(out, "DelQRms", cases::ShortestText(run.table.DelQRms), kDelQRmsUnit);
  CsvSummaryLine(out, "uniformity", cases::ShortestText(run.table.Uniformity), kDimensionless);

  out << run::StationTableCsv(run.table);
}

void WriteTablesJson(const RunTables& run, std::ostream& out) {
  out << "{\n";
  JsonQuantities(out, "inputs", cases::kInputs, run.parameters);
  JsonQuantities(out, "derived", cases::kDerivedValues, run.parameters);
  out << "  \"converged\": " << Boolean(run.solve.converged) << ",\n";
  out << "  \"sweeps\": " << run.solve.sweeps << ",\n  ";
  JsonQuantity(out, "entrancePressure", run.table.P[1], kPressureUnit);
  out << ",\n  ";
  JsonQuantity(out, "DelQRms", run.table.DelQRms, kDelQRmsUnit);
  out << ",\n  ";
  JsonQuantity(out, "uniformity", run.table.Uniformity, kDimensionless);
  out << ",\n  \"units\": {";
  for (std::size_t i = 0; i < cases::kStationColumns.size(); ++i) {
    out << (i == 0 ? "" : ", ") << '"' << cases::kStationColumns[i].name << "\": \""
        << cases::kStationColumns[i].unit << '"';
  }
  out << "},\n  \"stations\": [\n";
  for (int station = 1; station <= cases::StationCount; ++station) {
    out << "    {\"station\": " << station;
    for (const cases::StationColumn& column : cases::kStationColumns) {
      out << ", \"" << column.name << "\": " << JsonNumber((run.table.*column.values)[station]);
    }
    out << (station < cases::StationCount ? "},\n" : "}\n");
  }
  out << "  ]\n}\n";
}

}  // namespace fluxeta::cli
