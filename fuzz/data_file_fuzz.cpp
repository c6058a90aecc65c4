// Data files: any bytes read as the window's "Read Data File" reads them, within the
// bound, and applied to the boxes; a refused file leaves every box as it was.
#include <cstdint>
#include <cstdlib>

#include "fluxeta/run/data_file.h"
#include "memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fluxeta::fuzz::MemoryFile file(std::string_view(reinterpret_cast<const char*>(data), size));
  const fluxeta::run::DataFileRead read = fluxeta::run::ReadDataFile(file.Path());
  if (!read.lines) {
    return 0;
  }
  std::size_t bytes = 0;
  for (const std::string& line : *read.lines) {
    bytes += line.size();
  }
  if (bytes > fluxeta::run::kMostDataFileBytes) {
    std::abort();
  }
  const fluxeta::run::BoxTexts defaults = fluxeta::run::DefaultBoxTexts('.');
  fluxeta::run::BoxTexts boxes = defaults;
  fluxeta::run::EnabledBoxes every;
  every.fill(true);
  if (fluxeta::run::ApplyDataFileLines(*read.lines, "fuzz.txt", boxes, every) &&
      boxes.texts != defaults.texts) {
    std::abort();
  }
  return 0;
}
