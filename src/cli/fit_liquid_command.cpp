#include "fit_liquid_command.h"

#include "document_file.h"
#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/liquids/flow_curve_fit.h"
#include "fluxeta/run/replacing_file.h"
#include "json_text.h"
#include "standard_streams.h"

namespace fluxeta::cli {

namespace {

constexpr std::string_view kFlowCurveKind = "flow curve";

std::string ModelNames() {
  std::string names;
  for (const cases::LiquidModelSpec& row : cases::kLiquidModels) {
    names += (names.empty() ? "" : ", ") + std::string(row.name);
  }
  return names;
}

}  // namespace

int RunFitLiquid(const FitLiquidOptions& options, const std::string& dataFile, std::ostream& out,
                 std::ostream& err) {
  const cases::LiquidModelSpec* model = cases::FindLiquidModel(options.model);
  if (model == nullptr) {
    err << "fluxeta-batch: --fit-liquid: unknown liquid model '" << base::ShortQuote(options.model)
        << "'; the models are " << ModelNames() << '\n';
    return kRefusedInput;
  }
  const std::optional<std::string> text = ReadDocumentFileText(dataFile, kFlowCurveKind, err);
  if (!text) {
    return kRefusedInput;
  }
  const std::string source = base::ShortQuote(dataFile);
  try {
    const std::vector<liquids::FlowCurvePoint> points = liquids::ReadFlowCurveCsv(*text, source);
    const liquids::FlowCurveFit fit = liquids::FitFlowCurve(model->model, points, source);
    if (options.document) {
      const std::string document =
          JsonText(liquids::FittedLiquidDocument(fit, "fitted to " + source),
                   JsonLayout::Indented) +
          "\n";
      const std::string failure = run::WriteWholeFile(*options.document, document);
      if (!failure.empty()) {
        err << "fluxeta-batch: " << failure << '\n';
        return kFileFailure;
      }
    }
    const std::string json =
        JsonText(liquids::FlowCurveFitJson(fit, points.size()), JsonLayout::LeavesInline) + "\n";
    return WriteStandardOutput(out, json, err) ? kWrittenAndConverged : kFileFailure;
  } catch (const cases::DocumentError& error) {
    err << "fluxeta-batch: " << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kFloatingPointFault;
  }
}

}  // namespace fluxeta::cli
