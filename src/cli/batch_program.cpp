#include "cli/batch_program.h"

#include "case/number_text.h"
#include "cli/batch_options.h"
#include "cli/batch_run.h"
#include "cli/design_commands.h"
#include "cli/exit_status.h"
#include "cli/study.h"

namespace fluxeta::cli {

int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  // Numbers of data files and result files are read and written with the locale's
  // separator, as in the window.
  const char separator = cases::LocaleDecimalSeparator();
  auto parsed = ParseBatchOptions(argc, argv, out, err);
  if (const int* status = std::get_if<int>(&parsed)) {
    return *status;
  }
  const BatchOptions& options = std::get<BatchOptions>(parsed);
  if (options.design.Any()) {
    const auto base = CaseBoxTexts(options.run.dataFile, options.run.allInputs, separator, err);
    return base ? RunDesignCommands(options, *base, separator, out, err) : kRefusedInput;
  }
  if (options.study) {
    const auto base = CaseBoxTexts(options.run.dataFile, options.run.allInputs, separator, err);
    return base ? RunStudy(*options.study, *base, separator, out, err) : kRefusedInput;
  }
  return RunSingleCase(options.run, separator, out, err);
}

}  // namespace fluxeta::cli
