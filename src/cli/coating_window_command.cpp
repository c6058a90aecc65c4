#include "coating_window_command.h"

#include <sstream>

#include "coating_window_output.h"
#include "document_file.h"
#include "exit_status.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/case_coating_window.h"
#include "fluxeta/coating/operating_point.h"
#include "standard_streams.h"

namespace fluxeta::cli {

namespace {

constexpr std::string_view kOperatingPointKind = "operating point";

}  // namespace

int RunCoatingWindow(const BatchOptions& options, const cases::CaseInputs& base, std::ostream& out,
                     std::ostream& err) {
  const std::string& path = *options.coatingWindow;
  const auto document = ReadJsonDocumentFile(path, kOperatingPointKind, err);
  if (!document) {
    return kRefusedInput;
  }
  const std::string named =
      "fluxeta-batch: " + std::string(kOperatingPointKind) + " '" + base::ShortQuote(path) + "': ";
  try {
    const coating::OperatingPoint point = coating::ReadOperatingPoint(*document);
    const cases::CaseParameters parameters = cases::MakeCase(base);
    const coating::CaseCoatingWindow result =
        coating::EvaluateCaseCoatingWindow(parameters, options.run.search, point);
    if (!result.window) {
      err << "fluxeta-batch: the die is not solved (" << base::OutcomeCode(result.status)
          << "); the coating window needs a converged die\n";
      return kNotConverged;
    }
    std::ostringstream text;
    switch (options.run.table) {
      case TableFormat::Csv:
        WriteCoatingWindowCsv(*result.window, text);
        break;
      case TableFormat::Json:
        WriteCoatingWindowJson(*result.window, text);
        break;
      case TableFormat::None:
        WriteCoatingWindowReport(*result.window, text);
        break;
    }
    return WriteStandardOutput(out, text.str(), err) ? kWrittenAndConverged : kFileFailure;
  } catch (const cases::DocumentError& error) {
    err << named << error.what() << '\n';
    return kRefusedInput;
  } catch (const base::ConversionError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kRefusedInput;
  } catch (const base::FloatingPointError& error) {
    err << base::messages::ErrorBoxText(error.what()) << '\n';
    return kFloatingPointFault;
  }
}

}  // namespace fluxeta::cli
