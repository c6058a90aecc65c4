#include "fluxeta/case/die_profile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "bounded_file.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

namespace {

struct ProfileColumn {
  std::string_view name;
  std::string_view unit;
  std::vector<double> ProfileTable::*values;
};

constexpr std::array<ProfileColumn, kProfileColumns> kColumns = {{
    {"x", "cm", &ProfileTable::x},
    {"A", "cm2", &ProfileTable::A},
    {"Pe", "cm", &ProfileTable::Pe},
    {"L", "cm", &ProfileTable::L},
    {"H", "cm", &ProfileTable::H},
}};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The finite number a cell holds, written with a point.
std::optional<double> CellNumber(std::string_view cell) {
  if (!cell.empty() && cell.front() == '+') {
    cell.remove_prefix(1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (error != std::errc() || end != cell.data() + cell.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> Cells(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  while (true) {
    const auto comma = line.find(',', start);
    cells.push_back(Trimmed(line.substr(start, comma - start)));
    if (comma == std::string_view::npos) {
      return cells;
    }
    start = comma + 1;
  }
}

}  // namespace

ProfileTable ParseProfileCsv(std::string_view text, const std::string& shownName) {
  const std::string name = base::ShortQuote(shownName);
  ProfileTable table;
  std::size_t lineNumber = 0;
  bool firstRow = true;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::string where = name + ":" + std::to_string(lineNumber) + ": ";
    const std::vector<std::string_view> cells = Cells(line);
    const bool header = firstRow && !CellNumber(cells.front());
    firstRow = false;
    if (header) {
      continue;
    }
    if (cells.size() != kProfileColumns) {
      throw DocumentError(where + std::to_string(cells.size()) +
                          " cells; a row holds x, A, Pe, L, H");
    }
    for (std::size_t column = 0; column < kProfileColumns; ++column) {
      const ProfileColumn& spec = kColumns[column];
      const std::string cellName =
          where + "column " + std::to_string(column + 1) + " (" + std::string(spec.name) + "): ";
      const std::optional<double> value = CellNumber(cells[column]);
      if (!value) {
        throw DocumentError(cellName + "not a number: \"" + ShortText(cells[column]) + "\"");
      }
      std::vector<double>& values = table.*spec.values;
      if (column == 0) {
        if (!values.empty() && !(*value > values.back())) {
          throw DocumentError(cellName + "must increase, but " + NumberText(*value) + " follows " +
                              NumberText(values.back()));
        }
      } else if (!(*value > 0)) {
        throw DocumentError(cellName + "must be a positive number (" + std::string(spec.unit) +
                            "), not " + NumberText(*value));
      }
      values.push_back(*value);
    }
  }
  if (table.x.size() < kLeastProfileRows) {
    throw DocumentError(name + ": fewer than two rows of x, A, Pe, L, H");
  }
  return table;
}

ProfileTable ReadProfileFile(const std::filesystem::path& path, const std::string& shownName) {
  return ParseProfileCsv(ReadBoundedFile(path, kMostProfileBytes, "profile", shownName), shownName);
}

}  // namespace fluxeta::cases
