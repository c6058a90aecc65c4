#include "coating_window_command.h"

#include <filesystem>
#include <optional>
#include <sstream>

#include "coating_window_output.h"
#include "document_file.h"
#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/case_coating_window.h"
#include "fluxeta/coating/die_coating_window.h"
#include "fluxeta/coating/operating_point.h"
#include "fluxeta/solver/die_model.h"
#include "standard_streams.h"

namespace fluxeta::cli {

namespace {

constexpr std::string_view kOperatingPointKind = "operating point";

std::string OperatingPointNamed(const std::string& path) {
  return "fluxeta-batch: " + std::string(kOperatingPointKind) + " '" + base::ShortQuote(path) +
         "': ";
}

}  // namespace

std::optional<coating::OperatingPoint> ReadOperatingPointFile(const std::string& path,
                                                              std::ostream& err) {
  const auto document = ReadJsonDocumentFile(path, kOperatingPointKind, err);
  if (!document) {
    return std::nullopt;
  }
  try {
    return coating::ReadOperatingPoint(*document);
  } catch (const cases::DocumentError& error) {
    err << OperatingPointNamed(path) << error.what() << '\n';
    return std::nullopt;
  }
}

namespace {

int WriteWindow(const coating::CoatingWindow& window, TableFormat table, std::ostream& out,
                std::ostream& err) {
  std::ostringstream text;
  switch (table) {
    case TableFormat::Csv:
      WriteCoatingWindowCsv(window, text);
      break;
    case TableFormat::Json:
      WriteCoatingWindowJson(window, text);
      break;
    case TableFormat::None:
      WriteCoatingWindowReport(window, text);
      break;
  }
  return WriteStandardOutput(out, text.str(), err) ? kWrittenAndConverged : kFileFailure;
}

int SayNotSolved(std::string_view outcome, std::ostream& err) {
  err << "fluxeta-batch: the die is not solved (" << outcome
      << "); the coating window needs a converged die\n";
  return kNotConverged;
}

}  // namespace

int RunCoatingWindow(const BatchOptions& options, const cases::CaseInputs& base, std::ostream& out,
                     std::ostream& err) {
  const std::string& path = *options.coatingWindow;
  const auto point = ReadOperatingPointFile(path, err);
  if (!point) {
    return kRefusedInput;
  }
  try {
    const cases::CaseParameters parameters = cases::MakeCase(base);
    const coating::CaseCoatingWindow result =
        coating::EvaluateCaseCoatingWindow(parameters, options.run.search, *point);
    if (!result.window) {
      return SayNotSolved(base::OutcomeCode(result.status), err);
    }
    return WriteWindow(*result.window, options.run.table, out, err);
  } catch (const cases::DocumentError& error) {
    err << OperatingPointNamed(path) << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::ConversionError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kFloatingPointFault;
  }
}

int RunDieCoatingWindow(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& diePath = *options.die.documentFile;
  std::optional<solver::DieModel> model;
  int stations = 0;
  try {
    cases::DieDocument document = cases::ReadDieDocument(
        cases::ReadDieDocumentFile(diePath), std::filesystem::path(diePath).parent_path());
    if (options.die.stations) {
      cases::CheckDieStations(*options.die.stations, document.feed(), "--stations");
      document.stations = *options.die.stations;
    }
    stations = document.stations;
    model.emplace(document);
  } catch (const cases::DocumentError& error) {
    err << "fluxeta-batch: " << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << "fluxeta-batch: die '" << base::ShortQuote(diePath) << "': " << error.message() << '\n';
    return kFloatingPointFault;
  }

  const std::string& pointPath = *options.coatingWindow;
  const auto point = ReadOperatingPointFile(pointPath, err);
  if (!point) {
    return kRefusedInput;
  }
  try {
    const coating::DieCoatingWindow result =
        coating::EvaluateDieCoatingWindow(*model, stations, *point);
    if (!result.window) {
      return SayNotSolved(solver::DescribeDieOutcome(result.solution), err);
    }
    return WriteWindow(*result.window, options.run.table, out, err);
  } catch (const cases::DocumentError& error) {
    err << OperatingPointNamed(pointPath) << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << "fluxeta-batch: die '" << base::ShortQuote(diePath) << "': " << error.message() << '\n';
    return kFloatingPointFault;
  }
}

}  // namespace fluxeta::cli
