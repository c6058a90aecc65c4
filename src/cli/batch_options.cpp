#include "batch_options.h"

#include <CLI/CLI.hpp>
#include <map>

#include "design_options.h"
#include "die_options.h"
#include "exit_status.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/operating_window.h"
#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_sweep.h"
#include "study_progress.h"

namespace fluxeta::cli {

namespace {

std::string LiquidModelNames() {
  std::string names;
  for (const cases::LiquidModelSpec& row : cases::kLiquidModels) {
    names += (names.empty() ? "" : ", ") + std::string(row.name);
  }
  return names;
}

}  // namespace

void AddSingleRunOptions(CLI::App& app, SingleRunOptions& options) {
  options.resultFile = cases::kDefaultResultFileName;
  app.add_option("DATAFILE", options.dataFile,
                 "Data file of fifteen 'label = value' lines whose values replace the default "
                 "case in the boxes the window lets the user change");
  app.add_option("-o,--output", options.resultFile,
                 "Result file, relative to the current directory")
      ->capture_default_str();
  app.add_flag("--all-inputs", options.allInputs,
               "Also take the data file's values for the boxes the window keeps fixed "
               "(lines 8, 10, 11, 12 and 13)");
  const std::map<std::string, TableFormat> tableFormats = {{"csv", TableFormat::Csv},
                                                           {"json", TableFormat::Json}};
  app.add_option("--table", options.table,
                 "Also write the station table and summary to standard output")
      ->transform(CLI::CheckedTransformer(tableFormats, CLI::ignore_case))
      ->option_text("csv|json");
  const std::map<std::string, solver::Search> searches = {{"window", solver::Search::Window},
                                                          {"robust", solver::Search::Robust}};
  app.add_option("--search", options.search,
                 "The entrance-pressure search: the window's (default), or the robust one, "
                 "which gives a verdict for every design")
      ->transform(CLI::CheckedTransformer(searches))
      ->option_text("window|robust");
}

namespace {
// More threads than this is surely a typing slip.
constexpr unsigned kMaxJobs = 4096;

// The short names of the inputs the window lets the user change, or of those it keeps fixed.
std::string InputNames(bool fixedInWindow) {
  std::string names;
  for (const cases::InputSpec& input : cases::kInputs) {
    if (input.fixedInWindow == fixedInWindow) {
      names += names.empty() ? "" : " ";
      names += input.name;
    }
  }
  return names;
}
// Why options given together ask for something the program does not do, or nothing.
std::optional<std::string> RefusedCombination(const CLI::App& app, const BatchOptions& options,
                                              const std::optional<std::string>& operatingWindow) {
  const bool design = options.design.Any() || operatingWindow;
  if (design && app.get_option("--search")->count() > 0 &&
      options.run.search != solver::Search::Robust) {
    return "--search window: the design commands solve every design with the robust search";
  }
  if (options.design.optimise.empty() && options.design.Any() &&
      app.get_option("--output")->count() > 0) {
    return "-o: --sensitivity and --tolerance write no result file";
  }
  if (options.coatingWindow && options.design.optimise.empty() &&
      app.get_option("--output")->count() > 0) {
    return "-o: --coating-window alone writes no result file";
  }
  if (operatingWindow) {
    try {
      const study::Sweep sweep =
          study::ParseSweep(*operatingWindow, options.run.allInputs, "--operating-window");
      design::CheckOperatingWindow(design::CaseDesignModel(cases::DefaultCaseValues()),
                                   {std::string(sweep.input->name), sweep.from, sweep.to,
                                    sweep.count, options.run.allInputs},
                                   CommandLineSettingNames());
    } catch (const study::StudyError& error) {
      return error.message();
    } catch (const design::DesignRefusal& refusal) {
      return "--operating-window: " + std::string(refusal.what());
    }
  }
  return std::nullopt;
}

}  // namespace

void AddStudyOptions(CLI::App& app, StudyOptions& options) {
  app.add_option("--sweep", options.sweeps,
                 "Study: COUNT values of input NAME from FROM to TO; repeat for a grid, the "
                 "first --sweep the outermost loop. NAME: " +
                     InputNames(false) + ", with --all-inputs also " + InputNames(true))
      ->type_name("NAME=FROM:TO:COUNT")
      ->allow_extra_args(false);
  app.add_option("--cases", options.casesFile,
                 "Study: one case per row of a CSV file whose header names the inputs")
      ->type_name("FILE.csv");
  app.add_option("-j,--jobs", options.jobs, "Study: threads to use (default: every core)")
      ->check(CLI::Range(1u, kMaxJobs));
}

std::variant<BatchOptions, int> ParseBatchOptions(int argc, const char* const* argv,
                                                  std::ostream& out, std::ostream& err) {
  CLI::App app(
      "Runs one case of the end-fed slot die, exactly as the window's OK button does, and "
      "writes its result file.",
      "fluxeta-batch");
  app.set_version_flag("--version", std::string("fluxeta-batch ") + FLUXETA_VERSION);
  BatchOptions options;
  AddSingleRunOptions(app, options.run);
  StudyOptions study;
  AddStudyOptions(app, study);
  AddDesignOptions(app, options.design);
  AddDieOptions(app, options.die);
  std::optional<std::string> operatingWindow;
  app.add_option("--operating-window", operatingWindow,
                 "Design: a study of the die over COUNT values of input NAME (such as the flow "
                 "rate Qin, or with --all-inputs a material value), with the robust search")
      ->type_name("NAME=FROM:TO:COUNT");
  app.add_option("--coating-window", options.coatingWindow,
                 "Coating window: whether the bead between the die's lips and the web holds at "
                 "every station of the case's die, or of the --die document's, at the "
                 "operating point of FILE.json, {\"web_speed\": cm/s, "
                 "\"coating_gap\": cm, \"upstream_lip\": cm, \"downstream_lip\": cm, "
                 "\"surface_tension\": N/m, \"vacuum\": [lowest, highest] Pa}; prints the "
                 "verdict for the web and per station (--table for CSV or JSON). With "
                 "--optimise, every station inside the window is a limit of the search")
      ->type_name("FILE.json");
  std::optional<std::string> fitModel;
  app.add_option("--fit-liquid", fitModel,
                 "Liquid: fit MODEL (" + LiquidModelNames() +
                     ") to the flow curve of the data file, a CSV of shear rate (1/s), viscosity "
                     "(Pa.s) and optionally temperature (°C) a line, by least squares on ln η; "
                     "prints the parameters as JSON, and with -o FILE.json writes the liquid "
                     "document, for a die document's \"fluid\"")
      ->type_name("MODEL");
  for (const char* other :
       {"--sweep", "--cases", "--optimise", "--sensitivity", "--tolerance", "--operating-window",
        "--coating-window", "--table", "--all-inputs", "--search"}) {
    app.get_option("--fit-liquid")->excludes(other);
  }
  app.get_option("--table")->excludes("--sweep")->excludes("--cases");
  for (const char* design : {"--optimise", "--sensitivity", "--tolerance", "--operating-window"}) {
    app.get_option(design)->excludes("--sweep")->excludes("--cases");
  }
  // The optimiser's and the band's reports are JSON documents of their own.
  app.get_option("--table")->excludes("--optimise")->excludes("--tolerance");
  // With --optimise, the coating window is a limit of the search.
  for (const char* other :
       {"--sweep", "--cases", "--sensitivity", "--tolerance", "--operating-window"}) {
    app.get_option("--coating-window")->excludes(other);
  }
  app.get_option("--operating-window")
      ->excludes("--table")
      ->excludes("--optimise")
      ->excludes("--sensitivity")
      ->excludes("--tolerance");
  // A die document is solved by itself; studies and designs of it are still to come.
  for (const char* windowOnly :
       {"DATAFILE", "--all-inputs", "--search", "--sweep", "--cases", "--optimise", "--sensitivity",
        "--tolerance", "--operating-window", "--fit-liquid"}) {
    app.get_option("--die")->excludes(windowOnly);
  }
  // The window of a die document prints the window alone.
  for (const char* dieOnly : {"--refine", "--export-geometry", "--export-dxf"}) {
    app.get_option("--coating-window")->excludes(dieOnly);
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error, out, err);
    // A command line that cannot be parsed is refused input like a bad data file.
    return status == 0 ? kWrittenAndConverged : kRefusedInput;
  }
  if (const auto refusal = RefusedCombination(app, options, operatingWindow)) {
    err << "fluxeta-batch: " << *refusal << '\n';
    return kRefusedInput;
  }
  if (fitModel) {
    if (!options.run.dataFile) {
      err << "fluxeta-batch: --fit-liquid: name the flow curve's CSV file\n";
      return kRefusedInput;
    }
    options.fitLiquid = FitLiquidOptions{*fitModel, std::nullopt};
    if (app.get_option("--output")->count() > 0) {
      options.fitLiquid->document = options.run.resultFile;
    }
    return options;
  }
  // The operating window of a fixed die is a robust study over one input.
  if (operatingWindow) {
    study.sweeps = {*operatingWindow};
    options.run.search = solver::Search::Robust;
  }
  if (!study.sweeps.empty() || study.casesFile) {
    study.allInputs = options.run.allInputs;
    study.search = options.run.search;
    // A study writes its CSV to standard output unless -o names a file for it.
    if (app.get_option("--output")->count() > 0) {
      study.outputPath = options.run.resultFile;
    }
    study.progress = StandardErrorIsTerminal();
    options.study = std::move(study);
  }
  return options;
}

}  // namespace fluxeta::cli
