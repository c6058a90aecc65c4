#include "design_options.h"

#include <CLI/CLI.hpp>

namespace fluxeta::cli {

void AddDesignOptions(CLI::App& app, DesignOptions& options) {
  app.add_option("--optimise", options.optimise,
                 "Design: choose input NAME between LO and HI (default: its plausible range) for "
                 "the best design, with the robust search; repeat for more inputs. Writes the "
                 "best design's result file and a JSON report to standard output")
      ->type_name("NAME[=LO:HI]")
      ->allow_extra_args(false);
  app.add_option("--objective", options.objective,
                 "Design: maximise uniformity, or minimise the entrance pressure at "
                 "--min-uniformity")
      ->check(CLI::IsMember({"uniformity", "pressure"}))
      ->option_text("uniformity|pressure")
      ->capture_default_str();
  app.add_option("--max-pressure", options.maxPressure,
                 "Design: the highest entrance pressure allowed (Pa)")
      ->type_name("PA")
      ->check(CLI::PositiveNumber);
  app.add_option("--min-uniformity", options.minUniformity, "Design: the lowest uniformity allowed")
      ->type_name("U");
  app.add_option("--max-residence-time", options.maxResidenceTime,
                 "Design: the longest residence time allowed at any station (s)")
      ->type_name("S")
      ->check(CLI::PositiveNumber);
  app.add_option("--history", options.historyFile,
                 "Design: write every evaluation of --optimise to this CSV file")
      ->type_name("FILE.csv");
  app.add_flag("--sensitivity", options.sensitivity,
               "Design: the change of uniformity and entrance pressure per unit and per 1 % "
               "change of each input (text, or --table csv|json)");
  app.add_option("--tolerance", options.tolerances,
                 "Design: the worst and best figures over the corners of tolerances such as "
                 "H=±0.0005 or Qin=±10%; repeat for more inputs")
      ->type_name("NAME=±DELTA|NAME=±PCT%")
      ->allow_extra_args(false);
}

}  // namespace fluxeta::cli
