// The data file: fifteen lines "label = value", one per input in input order.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "case/case_parameters.h"

namespace fluxeta::cases {

inline constexpr int kDataFileLineCount = 15;
using DataFileLines = std::array<std::string, kDataFileLineCount>;

// Reads the first fifteen lines of a file as bytes (LF ends a line, CR is dropped,
// missing lines are empty). nullopt when the file cannot be opened or read.
std::optional<DataFileLines> ReadDataFileLines(const std::string& path);

// Puts the value of each line into its box when that box is enabled (`enabled` is
// indexed by box number − 1). When a line has no "=", changes nothing and returns the
// message to show; otherwise returns nullopt.
std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              BoxTexts& boxes, const std::array<bool, 16>& enabled);

}  // namespace fluxeta::cases
