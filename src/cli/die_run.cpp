#include "die_run.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>

#include "design_commands.h"
#include "die_table_output.h"
#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/design/die_design_model.h"
#include "fluxeta/run/die_exports.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/solver/die_outline.h"
#include "fluxeta/solver/die_refinement.h"
#include "fluxeta/solver/die_solve.h"
#include "fluxeta/study/die_study.h"
#include "json_text.h"
#include "same_file.h"
#include "standard_streams.h"
#include "study.h"

namespace fluxeta::cli {

namespace {

// The drawing's outline has this many intervals per station, so that its curves look
// smooth at any number of stations.
constexpr int kOutlinePointsPerStation = 4;
constexpr int kLeastOutlineIntervals = 200;

bool WriteWhole(const std::string& path, const std::string& bytes, std::ostream& err) {
  run::ReplacingFile file(path);
  if (file.Write(bytes) && file.Commit()) {
    return true;
  }
  err << "fluxeta-batch: " << file.FailureMessage() << '\n';
  return false;
}

int OutcomeStatus(const solver::DieSolution& solution) {
  return solution.converged() ? kWrittenAndConverged : kNotConverged;
}

// True, having said so, when an export would replace the document: refused before
// anything is written.
bool ExportIsTheDocument(const DieOptions& options, std::ostream& err) {
  for (const auto* exported : {&options.geometryFile, &options.outlineFile}) {
    if (*exported && IsSameFile(**exported, *options.documentFile)) {
      err << "fluxeta-batch: the export '" << base::ShortQuote(**exported)
          << "' is the die document; nothing is written\n";
      return true;
    }
  }
  return false;
}

// The document of --die, its stations replaced by those of --stations. Raises
// DocumentError for a document or a count of stations refused.
cases::DieDocument ReadOptionsDocument(const DieOptions& options) {
  const std::string& path = *options.documentFile;
  const nlohmann::json text = cases::ReadDieDocumentFile(path);
  cases::DieDocument document =
      cases::ReadDieDocument(text, std::filesystem::path(path).parent_path());
  if (options.stations) {
    cases::CheckDieStations(*options.stations, document.feed(), "--stations");
    document.stations = *options.stations;
  }
  return document;
}

}  // namespace

int RunDieDesign(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  const DieOptions& die = options.die;
  // The keys named are quantities of the model even where a design does not vary them
  // by itself (a table's position, the stations).
  std::vector<std::string> named;
  for (const auto* texts : {&options.design.optimise, &options.design.tolerances}) {
    for (const std::string& text : *texts) {
      named.push_back(text.substr(0, text.find('=')));
    }
  }
  try {
    const design::DieDesignModel model(cases::DieDocumentJson(ReadOptionsDocument(die)),
                                       std::filesystem::path(*die.documentFile).parent_path(),
                                       named);
    const DesignSubject subject{
        model,
        [](const design::DesignSolution& solution) {
          const auto& solved = dynamic_cast<const design::DieDesignSolution&>(solution);
          return JsonText(nlohmann::ordered_json(solved.document), JsonLayout::LeavesInline) + '\n';
        },
        [&model](const design::DesignPoint& point) -> std::unique_ptr<design::DesignModel> {
          return std::make_unique<design::DieDesignModel>(model.At(point));
        }};
    return RunDesignCommands(options, subject, out, err);
  } catch (const cases::DocumentError& error) {
    err << "fluxeta-batch: " << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::InputOutputError& error) {
    err << "fluxeta-batch: " << error.message() << '\n';
    return kFileFailure;
  }
}

int RunDieStudy(const DieOptions& options, const StudyOptions& study, std::ostream& out,
                std::ostream& err) {
  std::shared_ptr<const study::DieCaseModel> model;
  try {
    const nlohmann::json document = cases::DieDocumentJson(ReadOptionsDocument(options));
    model = std::make_shared<study::DieCaseModel>(
        document, std::filesystem::path(*options.documentFile).parent_path());
  } catch (const cases::DocumentError& error) {
    err << "fluxeta-batch: " << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::InputOutputError& error) {
    err << "fluxeta-batch: " << error.message() << '\n';
    return kFileFailure;
  }
  study::DieStudyVariables variables(model->document());
  return RunStudy(study, variables, model, study::StudyRows::Die, out, err);
}

int RunDieDocument(const DieOptions& options, TableFormat table, std::ostream& out,
                   std::ostream& err) {
  const std::string& path = *options.documentFile;
  if (ExportIsTheDocument(options, err)) {
    return kRefusedInput;
  }
  try {
    const cases::DieDocument document = ReadOptionsDocument(options);
    const solver::DieModel model(document);
    const solver::DieSolution solution = solver::SolveDie(model, document.stations);
    std::optional<solver::DieRefinement> refinement;
    if (options.refine) {
      refinement = solver::RefineDie(model, document.stations);
      if (refinement->NeedsMoreStations()) {
        err << "fluxeta-batch: warning: the uniformity's estimated error "
            << cases::ShortestText(refinement->uniformity.error) << " exceeds "
            << cases::ShortestText(solver::kUniformityErrorWarning) << " on " << document.stations
            << " stations; use more stations\n";
      }
    }
    if (options.geometryFile &&
        !WriteWhole(*options.geometryFile, run::DieGeometryCsv(solution), err)) {
      return kFileFailure;
    }
    if (options.outlineFile) {
      const int intervals =
          std::max(kLeastOutlineIntervals, kOutlinePointsPerStation * document.stations);
      const solver::DieOutline outline = solver::SampleDieOutline(model, intervals);
      if (!WriteWhole(*options.outlineFile, run::DieOutlineDxf(outline), err)) {
        return kFileFailure;
      }
    }
    const nlohmann::json written = cases::DieDocumentJson(document);
    const DieRunTables tables{written, solution, refinement};
    std::ostringstream shown;
    switch (table) {
      case TableFormat::Csv:
        WriteDieTablesCsv(tables, shown);
        break;
      case TableFormat::Json:
        WriteDieTablesJson(tables, shown);
        break;
      case TableFormat::None:
        WriteDieSummary(tables, shown);
        break;
    }
    if (!WriteStandardOutput(out, shown.str(), err)) {
      return kFileFailure;
    }
    return OutcomeStatus(solution);
  } catch (const cases::DocumentError& error) {
    err << "fluxeta-batch: " << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << "fluxeta-batch: die '" << base::ShortQuote(path) << "': " << error.message() << '\n';
    return kFloatingPointFault;
  } catch (const base::InputOutputError& error) {
    err << "fluxeta-batch: " << error.message() << '\n';
    return kFileFailure;
  }
}

}  // namespace fluxeta::cli
