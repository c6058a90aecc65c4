#include "cli/station_table_output.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "case/number_text.h"
#include "case/station_table_csv.h"

namespace fluxeta::cli {

namespace {

using cases::CaseParameters;

struct InputField {
  std::string_view name;
  std::string_view unit;
  double CaseParameters::*value;
};

constexpr std::array<InputField, 15> kInputs = {{
    {"Ain", "cm2", &CaseParameters::Ain},
    {"gamma", "-", &CaseParameters::gamma},
    {"Pein", "cm", &CaseParameters::Pein},
    {"Lin", "cm", &CaseParameters::Lin},
    {"Lend", "cm", &CaseParameters::Lend},
    {"W", "cm", &CaseParameters::W},
    {"H", "cm", &CaseParameters::H},
    {"lambda", "-", &CaseParameters::lambda},
    {"alpha", "-", &CaseParameters::alpha},
    {"eta0", "Pa.s", &CaseParameters::eta0},
    {"gamma0", "1/s", &CaseParameters::gamma0},
    {"n", "-", &CaseParameters::n},
    {"gammaCr", "1/s", &CaseParameters::gammaCr},
    {"rho", "g/cm3", &CaseParameters::rho},
    {"Qin", "cm3/s", &CaseParameters::Qin},
}};

constexpr std::array<InputField, 2> kDerived = {{
    {"etaCr", "Pa.s", &CaseParameters::etaCr},
    {"theta", "rad", &CaseParameters::theta},
}};

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

template <std::size_t N>
void JsonQuantities(std::ostream& out, std::string_view name,
                    const std::array<InputField, N>& fields, const CaseParameters& parameters) {
  out << "  \"" << name << "\": {\n";
  for (std::size_t i = 0; i < N; ++i) {
    out << "    ";
    JsonQuantity(out, fields[i].name, parameters.*fields[i].value, fields[i].unit);
    out << (i + 1 < N ? ",\n" : "\n");
  }
  out << "  },\n";
}

}  // namespace

void WriteTablesCsv(const RunTables& run, std::ostream& out) {
  for (const InputField& field : kInputs) {
    CsvSummaryLine(out, field.name, cases::ShortestText(run.parameters.*field.value), field.unit);
  }
  for (const InputField& field : kDerived) {
    CsvSummaryLine(out, field.name, cases::ShortestText(run.parameters.*field.value), field.unit);
  }
  CsvSummaryLine(out, "converged", Boolean(run.solve.converged), "");
  CsvSummaryLine(out, "sweeps", std::to_string(run.solve.sweeps), "");
  CsvSummaryLine(out, "entrancePressure", cases::ShortestText(run.table.P[1]), kPressureUnit);
  CsvSummaryLine(out, "DelQRms", cases::ShortestText(run.table.DelQRms), kDelQRmsUnit);
  CsvSummaryLine(out, "uniformity", cases::ShortestText(run.table.Uniformity), kDimensionless);

  out << cases::StationTableCsv(run.table);
}

void WriteTablesJson(const RunTables& run, std::ostream& out) {
  out << "{\n";
  JsonQuantities(out, "inputs", kInputs, run.parameters);
  JsonQuantities(out, "derived", kDerived, run.parameters);
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
