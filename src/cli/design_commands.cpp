#include "design_commands.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/run/result_file.h"
#include "fluxeta/solver/search.h"
#include "json_text.h"

namespace fluxeta::cli {

namespace {

using design::DesignEvaluation;
using nlohmann::ordered_json;

class Refused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

design::OptimiseSettings OptimiseSettingsOf(const BatchOptions& options,
                                            const cases::CaseValues& base) {
  design::OptimiseSettings settings;
  settings.base = base;
  settings.search = design::Search::Robust;
  for (const std::string& text : options.design.optimise) {
    auto parsed = design::ParseDesignVariable(text, options.run.allInputs);
    if (!parsed.variable) {
      throw Refused("--optimise " + parsed.refusal);
    }
    for (const design::DesignVariable& earlier : settings.variables) {
      if (earlier.input == parsed.variable->input) {
        throw Refused("--optimise: input '" + std::string(cases::kInputs[earlier.input].name) +
                      "' is given twice");
      }
    }
    settings.variables.push_back(*parsed.variable);
  }
  settings.objective = options.design.objective == "pressure" ? design::Objective::Pressure
                                                              : design::Objective::Uniformity;
  settings.limits.maxEntrancePressure = options.design.maxPressure;
  settings.limits.minUniformity = options.design.minUniformity;
  settings.limits.maxResidenceTime = options.design.maxResidenceTime;
  if (settings.objective == design::Objective::Pressure && !settings.limits.minUniformity) {
    throw Refused("--objective pressure needs --min-uniformity");
  }
  return settings;
}

ordered_json InputsJson(const cases::CaseValues& values) {
  ordered_json inputs = ordered_json::object();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    inputs[std::string(cases::kInputs[input].name)] = values[input];
  }
  return inputs;
}

// A figure of a solved design, or null.
ordered_json Figure(bool solved, double value) {
  return solved && std::isfinite(value) ? ordered_json(value) : ordered_json(nullptr);
}

// One line per candidate: the design variables, then its verdict and figures.
std::string HistoryCsv(const design::OptimiseSettings& settings,
                       const std::vector<DesignEvaluation>& history) {
  std::string text = "evaluation";
  for (const design::DesignVariable& variable : settings.variables) {
    text += ',';
    text += cases::kInputs[variable.input].name;
  }
  text += ",status,feasible,uniformity,entrance_pressure_Pa,longest_residence_time_s\n";
  for (std::size_t k = 0; k < history.size(); ++k) {
    const DesignEvaluation& evaluation = history[k];
    text += std::to_string(k + 1);
    for (const design::DesignVariable& variable : settings.variables) {
      text += ',';
      text += cases::ShortestText(evaluation.values[variable.input]);
    }
    text += ',';
    text += base::OutcomeCode(evaluation.figures.status);
    text += evaluation.feasible ? ",true," : ",false,";
    if (evaluation.figures.Solved()) {
      text += cases::ShortestText(evaluation.figures.uniformity) + ',' +
              cases::ShortestText(evaluation.figures.entrancePressure) + ',' +
              cases::ShortestText(evaluation.figures.longestResidenceTime);
    } else {
      text += ",,";
    }
    text += '\n';
  }
  return text;
}

// Writes the file whole under a temporary name and renames it into place; false, having
// said why on `err`, when that fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::ostream& err) {
  run::ReplacingFile file(path);
  if (file.Failed() || !file.Write(bytes) || !file.Commit()) {
    err << "fluxeta-batch: " << file.FailureMessage() << '\n';
    return false;
  }
  return true;
}

// The result file of a design, as a single robust run of its values writes it.
bool WriteDesignResultFile(const cases::CaseValues& values, const std::string& path, char separator,
                           std::ostream& err) {
  const cases::CaseParameters parameters = cases::MakeCase(values, path);
  const solver::Solution solution = solver::Solve(parameters, solver::Search::Robust);
  return WriteWholeFile(path,
                        run::InputSectionText(parameters, separator) +
                            run::ResultSectionText(solution.table, separator),
                        err);
}

int RunOptimise(const BatchOptions& options, const cases::CaseValues& base, char separator,
                std::ostream& out, std::ostream& err) {
  const design::OptimiseSettings settings = OptimiseSettingsOf(options, base);
  const design::OptimiseResult result = design::Optimise(settings);

  if (options.design.historyFile &&
      !WriteWholeFile(*options.design.historyFile, HistoryCsv(settings, result.history), err)) {
    err << "fluxeta-batch: cannot write the history to '" << *options.design.historyFile << "'\n";
    return kFileFailure;
  }
  if (result.best.figures.Solved() &&
      !WriteDesignResultFile(result.best.values, options.run.resultFile, separator, err)) {
    return kFileFailure;
  }

  const bool solved = result.best.figures.Solved();
  ordered_json report;
  report["status"] = design::OptimiseStatusName(result.status);
  report["inputs"] = InputsJson(result.best.values);
  report["uniformity"] = Figure(solved, result.best.figures.uniformity);
  report["entrance_pressure_Pa"] = Figure(solved, result.best.figures.entrancePressure);
  report["longest_residence_time_s"] = Figure(solved, result.best.figures.longestResidenceTime);
  report["evaluations"] = result.evaluations;
  report["reason"] = result.reason;
  out << JsonText(report, JsonLayout::Indented) << '\n';
  return kWrittenAndConverged;
}

// A figure to `digits` significant digits.
std::string Significant(double value, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

int RunSensitivity(const BatchOptions& options, const cases::CaseValues& base, std::ostream& out,
                   std::ostream& err) {
  const design::DesignFigures centre = design::EvaluateDesign(base, design::Search::Robust);
  if (!centre.Solved()) {
    err << "fluxeta-batch: the design is not solved (" << base::OutcomeCode(centre.status)
        << "); sensitivities need a converged design\n";
    return kNotConverged;
  }
  const auto rows = design::Sensitivities(base, design::SensitivityInputs(options.run.allInputs),
                                          design::Search::Robust);
  switch (options.run.table) {
    case TableFormat::Json: {
      ordered_json table;
      table["uniformity"] = centre.uniformity;
      table["entrance_pressure_Pa"] = centre.entrancePressure;
      table["relative_step"] = design::kSensitivityRelativeStep;
      table["inputs"] = ordered_json::array();
      for (const design::Sensitivity& row : rows) {
        const cases::InputSpec& spec = cases::kInputs[row.input];
        table["inputs"].push_back(
            {{"name", spec.name},
             {"unit", spec.unit},
             {"value", row.value},
             {"step", row.step},
             {"solved", row.solved},
             {"uniformity_per_unit", Figure(row.solved, row.uniformityPerUnit)},
             {"uniformity_per_percent", Figure(row.solved, row.uniformityPerPercent)},
             {"entrance_pressure_Pa_per_unit", Figure(row.solved, row.pressurePerUnit)},
             {"entrance_pressure_Pa_per_percent", Figure(row.solved, row.pressurePerPercent)}});
      }
      out << JsonText(table, JsonLayout::Indented) << '\n';
      break;
    }
    case TableFormat::Csv:
      out << "name,unit,value,step,solved,uniformity_per_unit,uniformity_per_percent,"
             "entrance_pressure_Pa_per_unit,entrance_pressure_Pa_per_percent\n";
      for (const design::Sensitivity& row : rows) {
        const cases::InputSpec& spec = cases::kInputs[row.input];
        out << spec.name << ',' << spec.unit << ',' << cases::ShortestText(row.value) << ','
            << cases::ShortestText(row.step) << ',' << (row.solved ? "true" : "false");
        for (const double figure : {row.uniformityPerUnit, row.uniformityPerPercent,
                                    row.pressurePerUnit, row.pressurePerPercent}) {
          out << ',' << (row.solved ? cases::ShortestText(figure) : "");
        }
        out << '\n';
      }
      break;
    case TableFormat::None:
      out << "Sensitivities of uniformity " << Significant(centre.uniformity, 6)
          << " and entrance pressure " << Significant(centre.entrancePressure, 7)
          << " Pa (central differences, step "
          << Significant(design::kSensitivityRelativeStep * 100, 3) << " % of each value)\n";
      out << "input      value        dU/unit      dU/1%        dP/unit (Pa)  dP/1% (Pa)\n";
      for (const design::Sensitivity& row : rows) {
        char line[160];
        const cases::InputSpec& spec = cases::kInputs[row.input];
        if (row.solved) {
          std::snprintf(line, sizeof line, "%-8s %10.5g   %+11.4e  %+11.4e  %+12.4e  %+11.4e\n",
                        std::string(spec.name).c_str(), row.value, row.uniformityPerUnit,
                        row.uniformityPerPercent, row.pressurePerUnit, row.pressurePerPercent);
        } else {
          std::snprintf(line, sizeof line, "%-8s %10.5g   (a neighbour could not be solved)\n",
                        std::string(spec.name).c_str(), row.value);
        }
        out << line;
      }
      break;
  }
  return kWrittenAndConverged;
}

int RunTolerance(const BatchOptions& options, const cases::CaseValues& base, std::ostream& out) {
  std::vector<design::Tolerance> tolerances;
  for (const std::string& text : options.design.tolerances) {
    const auto parsed = design::ParseTolerance(text);
    if (!parsed.tolerance) {
      throw Refused("--tolerance " + parsed.refusal);
    }
    tolerances.push_back(*parsed.tolerance);
  }
  design::ToleranceBand band;
  try {
    band = design::EvaluateToleranceBand(base, tolerances, design::Search::Robust);
  } catch (const std::invalid_argument& error) {
    throw Refused(std::string("--tolerance: ") + error.what());
  }
  ordered_json report;
  report["corners"] = band.corners;
  report["unsolved_corners"] = band.unsolvedCorners;
  const bool centreSolved = band.centre.Solved();
  report["uniformity"] = Figure(centreSolved, band.centre.uniformity);
  report["entrance_pressure_Pa"] = Figure(centreSolved, band.centre.entrancePressure);
  const bool anySolved = band.unsolvedCorners < band.corners || centreSolved;
  report["worst_uniformity"] = Figure(anySolved, band.worstUniformity);
  report["best_uniformity"] = Figure(anySolved, band.bestUniformity);
  report["lowest_entrance_pressure_Pa"] = Figure(anySolved, band.lowestEntrancePressure);
  report["highest_entrance_pressure_Pa"] = Figure(anySolved, band.highestEntrancePressure);
  report["worst_uniformity_inputs"] = InputsJson(band.worstUniformityCase);
  out << JsonText(report, JsonLayout::Indented) << '\n';
  return kWrittenAndConverged;
}

}  // namespace

int RunDesignCommands(const BatchOptions& options, const cases::CaseInputs& base, char separator,
                      std::ostream& out, std::ostream& err) {
  cases::CaseParameters parameters;
  try {
    parameters = cases::MakeCase(base);
  } catch (const base::ConversionError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kFloatingPointFault;
  }
  const cases::CaseValues values = cases::InputValues(parameters);
  try {
    int status = kWrittenAndConverged;
    if (!options.design.optimise.empty()) {
      status = RunOptimise(options, values, separator, out, err);
    }
    if (status == kWrittenAndConverged && options.design.sensitivity) {
      status = RunSensitivity(options, values, out, err);
    }
    if (status == kWrittenAndConverged && !options.design.tolerances.empty()) {
      status = RunTolerance(options, values, out);
    }
    out.flush();
    if (!out) {
      err << "fluxeta-batch: cannot write to standard output\n";
      return kFileFailure;
    }
    return status;
  } catch (const Refused& refusal) {
    err << "fluxeta-batch: " << refusal.what() << '\n';
    return kRefusedInput;
  }
}

}  // namespace fluxeta::cli
