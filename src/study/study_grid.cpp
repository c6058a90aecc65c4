#include "study/study_grid.h"

#include "case/number_text.h"
#include "study/study_error.h"

namespace fluxeta::study {

void StudyGrid::AddCases(const CasesTable& table) {
  AddDimension(table.inputs, table.cells, {}, table.RowCount());
}

void StudyGrid::AddSweep(const Sweep& sweep) {
  std::vector<std::string> texts;
  texts.reserve(sweep.values.size());
  for (const double value : sweep.values) {
    texts.push_back(cases::ShortestText(value));
  }
  AddDimension({sweep.input}, std::move(texts), sweep.values, sweep.values.size());
}

void StudyGrid::AddDimension(const std::vector<const StudyInput*>& inputs,
                             std::vector<std::string> texts, std::vector<double> values,
                             std::size_t points) {
  for (const StudyInput* input : inputs) {
    for (const StudyInput* earlier : columns_) {
      if (earlier == input) {
        throw StudyError("input '" + std::string(input->name) + "' is varied twice");
      }
    }
  }
  if (points != 0 && caseCount_ > kMaxCases / points) {
    throw StudyError("the study has more than " + std::to_string(kMaxCases) + " cases");
  }
  Dimension dimension;
  dimension.firstColumn = columns_.size();
  dimension.width = inputs.size();
  dimension.points = points;
  dimension.texts = std::move(texts);
  dimension.values = std::move(values);
  dimensions_.push_back(std::move(dimension));
  columns_.insert(columns_.end(), inputs.begin(), inputs.end());
  caseCount_ *= points;
}

void StudyGrid::CaseTexts(std::uint64_t index, std::vector<const std::string*>& texts) const {
  texts.resize(columns_.size());
  for (auto dimension = dimensions_.rbegin(); dimension != dimensions_.rend(); ++dimension) {
    const std::uint64_t point = index % dimension->points;
    index /= dimension->points;
    for (std::size_t j = 0; j < dimension->width; ++j) {
      texts[dimension->firstColumn + j] = &dimension->texts[point * dimension->width + j];
    }
  }
}

void StudyGrid::CaseValues(std::uint64_t index, std::vector<const double*>& values) const {
  values.resize(columns_.size());
  for (auto dimension = dimensions_.rbegin(); dimension != dimensions_.rend(); ++dimension) {
    const std::uint64_t point = index % dimension->points;
    index /= dimension->points;
    for (std::size_t j = 0; j < dimension->width; ++j) {
      values[dimension->firstColumn + j] =
          dimension->values.empty() ? nullptr : &dimension->values[point * dimension->width + j];
    }
  }
}

}  // namespace fluxeta::study
