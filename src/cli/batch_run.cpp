#include "batch_run.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>

#include "batch_front_end.h"
#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/run/calculation_run.h"
#include "fluxeta/run/data_file.h"
#include "standard_streams.h"
#include "station_table_output.h"

namespace fluxeta::cli {

namespace {

constexpr run::EnabledInputs EveryInput() {
  run::EnabledInputs enabled{};
  enabled.fill(true);
  return enabled;
}

// The path as the window's open-file dialog gives it, for the data file messages.
std::string FullPath(const std::string& path) {
  std::error_code error;
  const auto full = std::filesystem::absolute(path, error);
  return error ? path : full.string();
}

// The error box text of the error, a quoted number text shortened to its two ends.
int ErrorStatus(std::ostream& err, const base::FluxetaError& error, int status) {
  const auto* conversion = dynamic_cast<const base::ConversionError*>(&error);
  err << base::messages::ErrorBoxText(
             conversion != nullptr
                 ? base::messages::ConversionMessage(base::ShortQuote(conversion->text()))
                 : error.message())
      << '\n';
  return status;
}

int OutcomeStatus(run::RunOutcome outcome) {
  switch (outcome) {
    case run::RunOutcome::Finished:
      return kWrittenAndConverged;
    case run::RunOutcome::NotConverged:
      return kNotConverged;
    case run::RunOutcome::FileNotOpened:
      return kFileFailure;
  }
  return kFileFailure;
}

}  // namespace

std::optional<cases::CaseInputs> BaseCase(const std::optional<std::string>& dataFile,
                                          bool allInputs, char separator, std::ostream& err) {
  cases::CaseInputs inputs = cases::DefaultCaseInputs();
  if (!dataFile) {
    return inputs;
  }
  const run::DataFileRead read = run::ReadDataFile(*dataFile);
  if (!read.lines) {
    // The window's words, after a line that names the file and the reason.
    err << "fluxeta-batch: data file '" << base::ShortQuote(*dataFile) << "': "
        << (read.errorNumber == EFBIG ? "more than " + std::to_string(run::kMostDataFileBytes) +
                                            " bytes before its fifteenth line end"
                                      : std::strerror(read.errorNumber))
        << '\n'
        << base::messages::kDataFileCanNotOpen << '\n';
    return std::nullopt;
  }
  const auto& lines = read.lines;
  if (const auto refusal = run::ApplyDataFileLines(
          *lines, FullPath(*dataFile), inputs,
          allInputs ? EveryInput() : run::kInputsEnabledByDesign, separator)) {
    err << *refusal << '\n';
    return std::nullopt;
  }
  return inputs;
}

int RunSingleCase(const SingleRunOptions& options, char separator, std::ostream& out,
                  std::ostream& err) {
  auto inputs = BaseCase(options.dataFile, options.allInputs, separator, err);
  if (!inputs) {
    return kRefusedInput;
  }

  StreamFrontEnd frontEnd({std::move(*inputs), options.resultFile}, separator, err);
  cases::CaseParameters parameters;
  run::RunReport report;
  try {
    report = run::CalculationRun(frontEnd, parameters, options.search);
  } catch (const base::ConversionError& error) {
    return ErrorStatus(err, error, kRefusedInput);
  } catch (const base::FloatingPointError& error) {
    return ErrorStatus(err, error, kFloatingPointFault);
  } catch (const base::InputOutputError& error) {
    return ErrorStatus(err, error, kFileFailure);
  }

  // The tables show what the result file shows, so only once it holds a result section.
  if (report.outcome != run::RunOutcome::FileNotOpened && options.table != TableFormat::None) {
    const RunTables tables{parameters, report.solution.table, report.solution.solve,
                           report.solution.status};
    std::ostringstream text;
    if (options.table == TableFormat::Csv) {
      WriteTablesCsv(tables, text);
    } else {
      WriteTablesJson(tables, text);
    }
    if (!WriteStandardOutput(out, text.str(), err)) {
      return kFileFailure;
    }
  }
  return OutcomeStatus(report.outcome);
}

}  // namespace fluxeta::cli
