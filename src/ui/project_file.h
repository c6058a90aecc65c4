// The project file, NAME.fluxeta: one JSON object holding what the workbench keeps between
// sessions, written whole and read all or nothing.
//
//   {"format": "fluxeta-project", "version": 1, "case": {…}, "study": {…}, …}
//
// Each part of the workbench (project_part.h) has a section under its key; a file without a
// part's section opens with that part as a new project has it. A file of a newer version,
// an unknown section or a section a part refuses is refused whole.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "project_part.h"

namespace fluxeta::ui {

inline constexpr char kProjectSuffix[] = "fluxeta";
inline constexpr char kProjectFormat[] = "fluxeta-project";
inline constexpr int kProjectVersion = 1;
// A project is settings and a few curves; a file far larger is no project of this program.
inline constexpr long long kLargestProjectBytes = 16LL * 1024 * 1024;

// The parts' sections as the file's text: the format and version first, then the sections
// in the order of `parts`, their keys sorted, two-space indented, ending in a line break, so
// that the same state always gives the same bytes.
std::string ProjectText(const std::vector<ProjectPart*>& parts);

// Reads a project file's text and returns what puts it in place, all parts at once. Raises
// cases::DocumentError, the parts unchanged, for a text that is no project this version
// reads, saying why and naming the key at fault.
std::function<void()> ReadProjectText(std::string_view text,
                                      const std::vector<ProjectPart*>& parts);

}  // namespace fluxeta::ui
