#include "design_commands.h"

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "coating_window_command.h"
#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/coating_window_limit.h"
#include "fluxeta/design/design_tables.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/run/result_file.h"
#include "json_text.h"
#include "standard_streams.h"

namespace fluxeta::cli {

namespace {

using design::CaseDesignModel;
using nlohmann::ordered_json;

// The outputs of --optimise, created before the search so that one that cannot be
// written ends the run before the search starts, and committed together.
class OptimiseOutputs {
 public:
  OptimiseOutputs(const std::string& resultFile, const std::optional<std::string>& historyFile)
      : result_(resultFile) {
    if (historyFile) {
      history_ = std::make_unique<run::ReplacingFile>(*historyFile);
    }
  }

  // The first failure to create an output, or empty.
  std::string OpenFailure() const {
    if (result_.Failed()) {
      return result_.FailureMessage();
    }
    return history_ && history_->Failed() ? history_->FailureMessage() : "";
  }

  // Writes the history and, for an answer, the result file, and puts them in place
  // together; the failure, or empty. The result file's temporary is removed otherwise.
  std::string Commit(const std::string& history, const std::string* resultFile) {
    if (history_ && !history_->Write(history)) {
      return history_->FailureMessage();
    }
    if (resultFile != nullptr && !result_.Write(*resultFile)) {
      return result_.FailureMessage();
    }
    bool committed = true;
    if (resultFile != nullptr && history_) {
      committed = run::ReplacingFile::CommitTogether({&result_, history_.get()});
    } else if (resultFile != nullptr) {
      committed = result_.Commit();
    } else if (history_) {
      committed = history_->Commit();
    }
    if (committed) {
      return "";
    }
    return result_.Failed() ? result_.FailureMessage() : history_->FailureMessage();
  }

 private:
  run::ReplacingFile result_;
  std::unique_ptr<run::ReplacingFile> history_;
};

// The result file of a solved design, as a single robust run of its values writes it.
std::string ResultFileText(const design::DesignSolution& solution, char separator) {
  const auto& solved = dynamic_cast<const design::CaseSolution&>(solution);
  return run::InputSectionText(solved.parameters, separator) +
         run::ResultSectionText(solved.solution.table, separator);
}

// The band of `settings` around the design of `model`, as its report; the exit status.
int ToleranceBandReport(const design::DesignModel& model, const design::ToleranceSettings& settings,
                        ordered_json& report, std::ostream& err) {
  design::CheckToleranceBand(model, settings, CommandLineSettingNames());
  const design::ToleranceBand band = design::EvaluateToleranceBand(model, settings);
  report = design::ToleranceReport(model, band);
  if (!band.Complete()) {
    err << "fluxeta-batch: the tolerance band is incomplete: "
        << design::UnsolvedPointsText(model, band) << "; no band is given\n";
    return kIncompleteBand;
  }
  return kWrittenAndConverged;
}

int RunOptimise(const BatchOptions& options, const CaseDesignModel& model, char separator,
                std::ostream& out, std::ostream& err) {
  const design::SettingNames names = CommandLineSettingNames();
  design::OptimiseSettings settings = OptimiseSettingsOf(options.design, options.run.allInputs);
  if (model.CoatingPoint()) {
    settings.limits[design::kCoatingWindow] = design::kEveryStationInside;
  }
  design::CheckOptimise(model, settings, names);
  std::optional<design::ToleranceSettings> tolerances;
  if (!options.design.tolerances.empty()) {
    tolerances = ToleranceSettingsOf(options.design, model, options.run.allInputs);
    design::CheckToleranceBand(model, *tolerances, names);
  }

  OptimiseOutputs outputs(options.run.resultFile, options.design.historyFile);
  if (const std::string failure = outputs.OpenFailure(); !failure.empty()) {
    err << "fluxeta-batch: " << failure << '\n';
    return kFileFailure;
  }
  const design::OptimiseResult result = design::Optimise(model, settings);
  ordered_json report = design::OptimiseReport(model, result);
  // Only an optimum is written as the result file: the best candidate of a search that
  // failed is in the report, but is no answer.
  const bool answer = result.status == design::OptimiseStatus::Optimum && result.solution;
  int status = kWrittenAndConverged;
  if (!answer) {
    const bool stopped = result.status == design::OptimiseStatus::Stopped;
    err << "fluxeta-batch: "
        << (stopped ? "the search stopped before it converged: " : "no design meets the settings: ")
        << result.reason << "; the report gives the best candidate, and no result file '"
        << base::ShortQuote(options.run.resultFile) << "' is written\n";
    status = stopped ? kSearchStopped : kInfeasibleDesign;
  } else if (tolerances) {
    // The band of the design chosen, not of the design the search started from.
    status = ToleranceBandReport(CaseDesignModel(CaseDesignModel::CaseOf(result.best.values)),
                                 *tolerances, report["tolerance_band"], err);
  }

  const std::string history =
      design::TableCsv(design::HistoryColumns(model, result), result.history);
  const std::string resultFile = answer ? ResultFileText(*result.solution, separator) : "";
  if (const std::string failure = outputs.Commit(history, answer ? &resultFile : nullptr);
      !failure.empty()) {
    err << "fluxeta-batch: " << failure << '\n';
    return kFileFailure;
  }
  return WriteStandardOutput(out, JsonText(report, JsonLayout::Indented) + '\n', err)
             ? status
             : kFileFailure;
}

// A figure to `digits` significant digits.
std::string Significant(double value, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

std::string SensitivityText(const CaseDesignModel& model, const design::SensitivityResult& result) {
  std::string text = "Sensitivities of uniformity " + Significant(result.centre.uniformity, 6) +
                     " and entrance pressure " + Significant(result.centre.entrancePressure, 7) +
                     " Pa (central differences, step " + Significant(result.relativeStep * 100, 3) +
                     " % of each value)\n";
  text += "input      value        dU/unit      dU/1%        dP/unit (Pa)  dP/1% (Pa)\n";
  for (const design::Sensitivity& row : result.rows) {
    char line[160];
    const std::string& name = model.Quantities()[row.quantity].name;
    if (row.solved) {
      std::snprintf(line, sizeof line, "%-8s %10.5g   %+11.4e  %+11.4e  %+12.4e  %+11.4e\n",
                    name.c_str(), row.value, row.uniformityPerUnit, row.uniformityPerPercent,
                    row.pressurePerUnit, row.pressurePerPercent);
    } else {
      std::snprintf(line, sizeof line, "%-8s %10.5g   (a neighbour could not be solved)\n",
                    name.c_str(), row.value);
    }
    text += line;
  }
  return text;
}

int RunSensitivity(const BatchOptions& options, const CaseDesignModel& model, std::ostream& out,
                   std::ostream& err) {
  const design::SensitivityResult result =
      design::Sensitivities(model, {options.run.allInputs, std::nullopt});
  if (!result.centre.Solved()) {
    err << "fluxeta-batch: the design is not solved (" << base::OutcomeCode(result.centre.status)
        << "); sensitivities need a converged design\n";
    return kNotConverged;
  }
  std::string text;
  switch (options.run.table) {
    case TableFormat::Json:
      text = JsonText(design::SensitivityReport(model, result), JsonLayout::Indented) + '\n';
      break;
    case TableFormat::Csv:
      text = design::TableCsv(design::SensitivityColumns(model), result.rows);
      break;
    case TableFormat::None:
      text = SensitivityText(model, result);
      break;
  }
  return WriteStandardOutput(out, text, err) ? kWrittenAndConverged : kFileFailure;
}

int RunTolerance(const BatchOptions& options, const CaseDesignModel& model, std::ostream& out,
                 std::ostream& err) {
  const design::ToleranceSettings settings =
      ToleranceSettingsOf(options.design, model, options.run.allInputs);
  ordered_json report;
  const int status = ToleranceBandReport(model, settings, report, err);
  return WriteStandardOutput(out, JsonText(report, JsonLayout::Indented) + '\n', err)
             ? status
             : kFileFailure;
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
  std::optional<coating::OperatingPoint> coatingPoint;
  if (options.coatingWindow) {
    coatingPoint = ReadOperatingPointFile(*options.coatingWindow, err);
    if (!coatingPoint) {
      return kRefusedInput;
    }
  }
  const CaseDesignModel model(cases::InputValues(parameters), design::Search::Robust, coatingPoint);
  try {
    if (!options.design.optimise.empty()) {
      return RunOptimise(options, model, separator, out, err);
    }
    if (options.design.sensitivity) {
      return RunSensitivity(options, model, out, err);
    }
    return RunTolerance(options, model, out, err);
  } catch (const design::DesignRefusal& refusal) {
    err << "fluxeta-batch: " << refusal.what() << '\n';
    return kRefusedInput;
  }
}

}  // namespace fluxeta::cli
