// The data file: fifteen lines "label = value", one per input in input order.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/run/box_texts.h"

namespace fluxeta::run {

// The format has fifteen lines, one per input in input order.
inline constexpr int kDataFileLineCount = 15;
static_assert(kDataFileLineCount == cases::kInputCount, "one data file line for every input");
using DataFileLines = std::array<std::string, kDataFileLineCount>;

// A data file is fifteen short lines: one whose fifteen lines take more bytes than this
// is no data file, and is refused before it costs any more memory (a device that never
// ends, a large file chosen by mistake).
inline constexpr std::size_t kMostDataFileBytes = std::size_t{1} << 20;

// What reading a data file gave: its lines, or why there are none.
struct DataFileRead {
  std::optional<DataFileLines> lines;
  int errorNumber = 0;  // the errno of a failed open or read, or EFBIG for a file too long
};

// Reads the first fifteen lines of a file as bytes (LF ends a line, CR is dropped,
// missing lines are empty); fails when they take more than kMostDataFileBytes.
DataFileRead ReadDataFile(const std::string& path);

// The lines of ReadDataFile; nullopt when the file cannot be opened or read, or is too long.
std::optional<DataFileLines> ReadDataFileLines(const std::string& path);

// Which inputs a data file may set, in input order.
using EnabledInputs = std::array<bool, cases::kInputCount>;

// The inputs the main window lets the user change: all but those it keeps fixed.
constexpr EnabledInputs InputsEnabledByDesign() {
  EnabledInputs enabled{};
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    enabled[input] = !cases::kInputs[input].fixedInWindow;
  }
  return enabled;
}
inline constexpr EnabledInputs kInputsEnabledByDesign = InputsEnabledByDesign();

// Sets each enabled input to the value text of its line, read with `separator` (a text that
// is no number is kept, to be refused when a case is made of it). When a line has no "=",
// changes nothing and returns the message to show; otherwise returns nullopt.
std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              cases::CaseInputs& inputs,
                                              const EnabledInputs& enabled, char separator);

// The same for the window: puts the value of each line into its box when that box is
// enabled (`enabled` is indexed by box number − 1).
std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              BoxTexts& boxes, const EnabledBoxes& enabled);

}  // namespace fluxeta::run
