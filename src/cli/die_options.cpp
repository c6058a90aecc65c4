#include "die_options.h"

#include <CLI/CLI.hpp>
#include <string>

#include "fluxeta/case/die_families.h"

namespace fluxeta::cli {

namespace {

std::string FamilyNames() {
  std::string names;
  for (const cases::DieFamilySpec& row : cases::kDieFamilies) {
    names += (names.empty() ? "" : ", ") + std::string(row.name);
  }
  return names;
}

}  // namespace

void AddDieOptions(CLI::App& app, DieOptions& options) {
  CLI::Option* die =
      app.add_option("--die", options.documentFile,
                     "Solve the die of a JSON die document (families " + FamilyNames() +
                         ") with the general die model instead of the window's case; with "
                         "--table its station table to standard output, else a summary")
          ->type_name("FILE.json");
  app.add_option("--stations", options.stations,
                 "Die: stations across the whole width (default: the document's, else " +
                     std::to_string(cases::kDefaultDieStations) + ")")
      ->type_name("N")
      ->needs(die);
  app.add_flag("--refine", options.refine,
               "Die: also solve on 2N and 4N stations and report the observed order and "
               "Richardson's estimates of the uniformity and the entrance pressure")
      ->needs(die);
  app.add_option("--export-geometry", options.geometryFile,
                 "Die: write the stations' geometry (x, R, A, Pe, L, H) as CSV")
      ->type_name("FILE.csv")
      ->needs(die);
  app.add_option("--export-dxf", options.outlineFile,
                 "Die: write the die's plan view (exit, land edge, manifold) as a DXF drawing")
      ->type_name("FILE.dxf")
      ->needs(die);
}

}  // namespace fluxeta::cli
