// Data files: any bytes read as the window's "Read Data File" reads them, within the
// bound, and applied to a case's inputs; a refused file leaves every input as it was.
#include <cstdint>
#include <cstdlib>

#include "fluxeta/case/default_case.h"
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
  const fluxeta::cases::CaseInputs defaults = fluxeta::cases::DefaultCaseInputs();
  fluxeta::cases::CaseInputs inputs = defaults;
  fluxeta::run::EnabledInputs every;
  every.fill(true);
  if (fluxeta::run::ApplyDataFileLines(*read.lines, "fuzz.txt", inputs, every, '.')) {
    for (std::size_t input = 0; input < fluxeta::cases::kInputCount; ++input) {
      if (inputs[input].Text() != defaults[input].Text() ||
          inputs[input].Number() != defaults[input].Number()) {
        std::abort();
      }
    }
  }
  return 0;
}
