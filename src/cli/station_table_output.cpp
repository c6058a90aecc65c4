#include "cli/station_table_output.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace fluxeta::cli {

namespace {

using cases::CaseParameters;
using cases::StationTable;
using cases::StationValues;

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

struct StationColumn {
  std::string_view name;
  std::string_view unit;
  StationValues StationTable::*values;
};

// The columns of the result file, with the station position in front.
constexpr std::array<StationColumn, 14> kColumns = {{
    {"X", "cm", &StationTable::X},
    {"P", "Pa", &StationTable::P},
    {"Q", "cm3/s", &StationTable::Q},
    {"DelQ", "cm3/s", &StationTable::DelQ},
    {"Q_DIFF", "%", &StationTable::Q_DIFF},
    {"APP_SR_C", "1/s", &StationTable::APP_SR_C},
    {"SR_S", "1/s", &StationTable::SR_S},
    {"APP_VIS_C", "Pa.s", &StationTable::APP_VIS_C},
    {"VIS_S", "Pa.s", &StationTable::VIS_S},
    {"A", "cm2", &StationTable::A},
    {"Dh", "cm", &StationTable::Dh},
    {"H", "cm", &StationTable::H},
    {"L", "cm", &StationTable::L},
    {"RTime", "s", &StationTable::RTime},
}};

constexpr std::string_view kPressureUnit = "Pa";
constexpr std::string_view kDelQRmsUnit = "cm3/s";
constexpr std::string_view kDimensionless = "-";

// The shortest text that reads back to the same double; "." as decimal point whatever
// the locale.
std::string Shortest(double value) {
  std::array<char, 32> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

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
  return std::isfinite(value) ? Shortest(value) : "null";
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
    CsvSummaryLine(out, field.name, Shortest(run.parameters.*field.value), field.unit);
  }
  for (const InputField& field : kDerived) {
    CsvSummaryLine(out, field.name, Shortest(run.parameters.*field.value), field.unit);
  }
  CsvSummaryLine(out, "converged", Boolean(run.solve.converged), "");
  CsvSummaryLine(out, "sweeps", std::to_string(run.solve.sweeps), "");
  CsvSummaryLine(out, "entrancePressure", Shortest(run.table.P[1]), kPressureUnit);
  CsvSummaryLine(out, "DelQRms", Shortest(run.table.DelQRms), kDelQRmsUnit);
  CsvSummaryLine(out, "uniformity", Shortest(run.table.Uniformity), kDimensionless);

  out << "station";
  for (const StationColumn& column : kColumns) {
    out << ',' << column.name << " (" << column.unit << ')';
  }
  out << '\n';
  for (int station = 1; station <= cases::StationCount; ++station) {
    out << station;
    for (const StationColumn& column : kColumns) {
      out << ',' << Shortest((run.table.*column.values)[station]);
    }
    out << '\n';
  }
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
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    out << (i == 0 ? "" : ", ") << '"' << kColumns[i].name << "\": \"" << kColumns[i].unit << '"';
  }
  out << "},\n  \"stations\": [\n";
  for (int station = 1; station <= cases::StationCount; ++station) {
    out << "    {\"station\": " << station;
    for (const StationColumn& column : kColumns) {
      out << ", \"" << column.name << "\": " << JsonNumber((run.table.*column.values)[station]);
    }
    out << (station < cases::StationCount ? "},\n" : "}\n");
  }
  out << "  ]\n}\n";
}

}  // namespace fluxeta::cli
