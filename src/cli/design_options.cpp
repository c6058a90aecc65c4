#include "design_options.h"

#include <CLI/CLI.hpp>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::cli {

namespace {

// --max-pressure for the limit max_pressure.
std::string OptionOfKey(std::string_view key) {
  std::string option = "--";
  for (const char c : key) {
    option += c == '_' ? '-' : c;
  }
  return option;
}

std::string ObjectiveList() {
  std::string names;
  for (const design::ObjectiveSpec& objective : design::kObjectives) {
    names += names.empty() ? "" : "|";
    names += objective.name;
  }
  return names;
}

// NAME or NAME=LO:HI, numbers written with a point.
design::VariableRequest ReadVariable(std::string_view text) {
  const auto equals = text.find('=');
  design::VariableRequest request{std::string(text.substr(0, equals)), std::nullopt};
  if (equals == std::string_view::npos) {
    return request;
  }
  const std::string_view range = text.substr(equals + 1);
  const auto colon = range.find(':');
  const auto low = cases::ReadPointNumber(range.substr(0, colon));
  const auto high = colon == std::string_view::npos
                        ? std::nullopt
                        : cases::ReadPointNumber(range.substr(colon + 1));
  if (!low || !high) {
    throw design::DesignRefusal("--optimise '" + base::ShortQuote(text) +
                                "': expected NAME=LO:HI with finite numbers written with a point");
  }
  request.bounds = design::Bounds{*low, *high};
  return request;
}

}  // namespace

void AddDesignOptions(CLI::App& app, DesignOptions& options) {
  CLI::Option* optimise =
      app.add_option("--optimise", options.optimise,
                     "Design: choose input NAME between LO and HI (default: its plausible "
                     "range) for the best design, with the robust search; repeat for more "
                     "inputs. Writes the best design's result file and a JSON report to "
                     "standard output")
          ->type_name("NAME[=LO:HI]")
          ->allow_extra_args(false);
  app.add_option("--objective", options.objective,
                 "Design: maximise uniformity, or minimise the entrance pressure at "
                 "--min-uniformity (default: uniformity)")
      ->option_text(ObjectiveList())
      ->needs(optimise);
  for (std::size_t limit = 0; limit < design::kDesignLimits.size(); ++limit) {
    const design::LimitSpec& spec = design::kDesignLimits[limit];
    // --coating-window FILE.json, the operating point's, is declared with the window.
    if (spec.byOperatingPoint) {
      continue;
    }
    app.add_option(OptionOfKey(spec.key), options.limits[limit],
                   "Design: " + std::string(spec.help))
        ->type_name("NUMBER")
        ->needs(optimise);
  }
  app.add_option("--max-evaluations", options.maxEvaluations,
                 "Design: the most candidates --optimise solves (default: 50 plus 150 per "
                 "input)")
      ->type_name("N")
      ->needs(optimise);
  app.add_option("--history", options.historyFile,
                 "Design: write every evaluation of --optimise to this CSV file")
      ->type_name("FILE.csv")
      ->needs(optimise);
  app.add_flag("--sensitivity", options.sensitivity,
               "Design: the change of uniformity and entrance pressure per unit and per 1 % "
               "change of each input (text, or --table csv|json)")
      ->excludes(optimise);
  app.add_option("--tolerance", options.tolerances,
                 "Design: the worst and best figures over the corners of tolerances such as "
                 "H=±0.0005 or Qin=±10%; repeat for more inputs. With --optimise, the band "
                 "around the optimum, in its report")
      ->type_name("NAME=±DELTA|NAME=±PCT%")
      ->allow_extra_args(false)
      ->excludes("--sensitivity");
}

design::SettingNames CommandLineSettingNames() {
  design::SettingNames names;
  names.allInputs = "add --all-inputs";
  names.objective = "--objective";
  names.maxEvaluations = "--max-evaluations";
  names.relativeStep = "the relative step";
  for (std::size_t limit = 0; limit < design::kDesignLimits.size(); ++limit) {
    names.limits[limit] = OptionOfKey(design::kDesignLimits[limit].key);
  }
  return names;
}

design::OptimiseSettings OptimiseSettingsOf(const DesignOptions& options, bool allInputs) {
  design::OptimiseSettings settings;
  for (const std::string& text : options.optimise) {
    settings.variables.push_back(ReadVariable(text));
  }
  if (options.objective) {
    settings.objective = design::ParseObjective(*options.objective);
  }
  settings.limits = options.limits;
  settings.maxEvaluations = options.maxEvaluations;
  settings.allInputs = allInputs;
  return settings;
}

design::ToleranceSettings ToleranceSettingsOf(const DesignOptions& options,
                                              const design::DesignModel& model, bool allInputs) {
  design::ToleranceSettings settings;
  settings.allInputs = allInputs;
  for (const std::string& text : options.tolerances) {
    const design::ParsedTolerance parsed = design::ParseTolerance(model, text);
    if (!parsed.tolerance) {
      throw design::DesignRefusal("--tolerance " + parsed.refusal);
    }
    settings.tolerances.push_back(*parsed.tolerance);
  }
  return settings;
}

}  // namespace fluxeta::cli
