// The command line of a die document's solve: --die and the options that go with it.
#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace fluxeta::cli {

struct DieOptions {
  std::optional<std::string> documentFile;  // --die FILE.json
  std::optional<int> stations;              // replaces the document's "stations"
  bool refine = false;                      // also solve on 2N and 4N stations
  std::optional<std::string> geometryFile;  // --export-geometry FILE.csv
  std::optional<std::string> outlineFile;   // --export-dxf FILE.dxf

  bool Any() const { return documentFile.has_value(); }
};

// Declares --die, --stations, --refine, --export-geometry and --export-dxf on `app`, the
// last four needing --die.
void AddDieOptions(CLI::App& app, DieOptions& options);

}  // namespace fluxeta::cli
