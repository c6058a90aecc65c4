#include "fluxeta/study/study_grid.h"

#include <stdexcept>

#include "fluxeta/case/number_text.h"
#include "fluxeta/study/study_error.h"

namespace fluxeta::study {

void StudyGrid::AddCases(const CasesTable& table) {
  Dimension dimension;
  dimension.points = table.RowCount();
  dimension.cells = table.cells;
  AddDimension(table.inputs, std::move(dimension));
}

void StudyGrid::AddCases(std::shared_ptr<CasesFile> file) {
  if (!dimensions_.empty()) {
    throw std::logic_error("a cases file is the outermost dimension of a study");
  }
  Dimension dimension;
  dimension.points = file->RowCount();
  const std::vector<const StudyVariable*> inputs = file->Inputs();
  dimension.file = std::move(file);
  AddDimension(inputs, std::move(dimension));
}

void StudyGrid::AddSweep(const Sweep& sweep) {
  Dimension dimension;
  dimension.points = sweep.count;
  dimension.sweep = sweep;
  AddDimension({sweep.input}, std::move(dimension));
}

void StudyGrid::AddValues(ValuesTable table) {
  Dimension dimension;
  dimension.points = table.points;
  dimension.values = std::move(table.cells);
  AddDimension(table.inputs, std::move(dimension));
}

void StudyGrid::AddDimension(const std::vector<const StudyVariable*>& inputs, Dimension dimension) {
  for (const StudyVariable* input : inputs) {
    for (const StudyVariable* earlier : columns_) {
      if (earlier == input) {
        throw StudyError("input '" + std::string(input->name) + "' is varied twice");
      }
    }
  }
  if (dimension.points != 0 && caseCount_ > kMaxCases / dimension.points) {
    throw StudyError("the study has more than " + std::to_string(kMaxCases) + " cases");
  }
  dimension.firstColumn = columns_.size();
  dimension.width = inputs.size();
  caseCount_ *= dimension.points;
  dimensionOfColumn_.insert(dimensionOfColumn_.end(), inputs.size(), dimensions_.size());
  dimensions_.push_back(std::move(dimension));
  columns_.insert(columns_.end(), inputs.begin(), inputs.end());
}

void StudyGrid::LoadCases(std::uint64_t first, std::uint64_t count) {
  if (dimensions_.empty() || !dimensions_.front().file || count == 0) {
    return;
  }
  Dimension& rows = dimensions_.front();
  const std::uint64_t casesPerRow = caseCount_ / rows.points;
  const std::uint64_t firstRow = first / casesPerRow;
  const std::uint64_t lastRow = (first + count - 1) / casesPerRow;
  const std::uint64_t loadedRows = rows.cells.size() / rows.width;
  if (firstRow < rows.firstLoadedRow) {
    rows.file->Rewind();
    rows.cells.clear();
    rows.firstLoadedRow = 0;
  } else {
    // Rows before the block are let go; the rows from it on are kept.
    const std::uint64_t dropped = std::min(firstRow - rows.firstLoadedRow, loadedRows);
    rows.cells.erase(rows.cells.begin(),
                     rows.cells.begin() + static_cast<std::ptrdiff_t>(dropped * rows.width));
    rows.firstLoadedRow += dropped;
  }
  std::vector<std::string> cells;
  while (rows.firstLoadedRow + rows.cells.size() / rows.width <= lastRow) {
    if (!rows.file->NextRow(cells)) {
      throw StudyError("a cases file ended before its counted rows");
    }
    if (rows.firstLoadedRow + rows.cells.size() / rows.width < firstRow) {
      ++rows.firstLoadedRow;  // a row before the block, read past
      continue;
    }
    for (std::string& cell : cells) {
      rows.cells.push_back(std::move(cell));
    }
  }
}

template <typename Visit>
void StudyGrid::ForEachPoint(std::uint64_t index, Visit visit) const {
  for (auto dimension = dimensions_.rbegin(); dimension != dimensions_.rend(); ++dimension) {
    const std::uint64_t point = index % dimension->points;
    index /= dimension->points;
    visit(*dimension, point);
  }
}

void StudyGrid::CaseTexts(std::uint64_t index, std::vector<std::string>& texts) const {
  texts.resize(columns_.size());
  ForEachPoint(index, [&texts](const Dimension& dimension, std::uint64_t point) {
    if (dimension.sweep) {
      texts[dimension.firstColumn] = cases::ShortestText(dimension.sweep->Value(point));
      return;
    }
    if (!dimension.values.empty()) {
      for (std::size_t j = 0; j < dimension.width; ++j) {
        const cases::InputValue& value = dimension.values[point * dimension.width + j];
        texts[dimension.firstColumn + j] =
            value.Text() ? *value.Text() : cases::ShortestText(value.Number());
      }
      return;
    }
    const std::uint64_t row = point - dimension.firstLoadedRow;
    for (std::size_t j = 0; j < dimension.width; ++j) {
      texts[dimension.firstColumn + j] = dimension.cells.at(row * dimension.width + j);
    }
  });
}

void StudyGrid::CaseValues(std::uint64_t index, std::vector<cases::InputValue>& values) const {
  values.resize(columns_.size());
  ForEachPoint(index, [&values](const Dimension& dimension, std::uint64_t point) {
    if (dimension.sweep) {
      values[dimension.firstColumn] = dimension.sweep->Value(point);
      return;
    }
    if (!dimension.values.empty()) {
      for (std::size_t j = 0; j < dimension.width; ++j) {
        values[dimension.firstColumn + j] = dimension.values[point * dimension.width + j];
      }
      return;
    }
    const std::uint64_t row = point - dimension.firstLoadedRow;
    for (std::size_t j = 0; j < dimension.width; ++j) {
      values[dimension.firstColumn + j] = cases::InputValue::OfText(
          dimension.cells.at(row * dimension.width + j), cases::kPointSeparator);
    }
  });
}

std::uint64_t StudyGrid::PointOf(std::uint64_t index, std::size_t column) const {
  const Dimension* wanted = &dimensions_[dimensionOfColumn_.at(column)];
  std::uint64_t wantedPoint = 0;
  ForEachPoint(index, [&](const Dimension& dimension, std::uint64_t point) {
    if (&dimension == wanted) {
      wantedPoint = point;
    }
  });
  return wantedPoint;
}

}  // namespace fluxeta::study
