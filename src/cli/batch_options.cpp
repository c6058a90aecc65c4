#include "cli/batch_options.h"

#include <CLI/CLI.hpp>
#include <map>

#include "case/default_case.h"
#include "cli/exit_status.h"

namespace fluxeta::cli {

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
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error, out, err);
    // A command line that cannot be parsed is refused input like a bad data file.
    return status == 0 ? kWrittenAndConverged : kRefusedInput;
  }
  return options;
}

}  // namespace fluxeta::cli
