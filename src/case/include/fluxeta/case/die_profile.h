// A die's geometry as a CAD program exports it: a CSV file of rows x, A, Pe, L, H (cm, cm2,
// cm, cm, cm) at any positions, x measured from the feed. A first line whose first cell is
// not a number is a header; empty lines and lines starting with '#' are skipped.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fluxeta::cases {

struct ProfileTable {
  std::vector<double> x;   // cm, increasing
  std::vector<double> A;   // manifold area (cm2)
  std::vector<double> Pe;  // manifold perimeter (cm)
  std::vector<double> L;   // land length (cm)
  std::vector<double> H;   // gap (cm)
};

inline constexpr std::size_t kProfileColumns = 5;
inline constexpr std::size_t kLeastProfileRows = 2;
inline constexpr std::size_t kMostProfileBytes = 64 << 20;

// Reads the rows of `text`; raises DocumentError "NAME:LINE: column C (A): …" for a row that
// is not five numbers, an x that does not increase or a value that is not positive, and
// for fewer than two rows.
ProfileTable ParseProfileCsv(std::string_view text, const std::string& shownName);

// Reads the file (at most kMostProfileBytes); raises DocumentError naming it with the
// system's reason when it cannot be read.
ProfileTable ReadProfileFile(const std::filesystem::path& path, const std::string& shownName);

}  // namespace fluxeta::cases
