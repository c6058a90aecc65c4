#include "study_rows_model.h"

#include <array>

#include "fluxeta/base/outcome.h"
#include "locale_number_text.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

// The columns after the varied inputs.
enum FigureColumn { kStatus, kSweeps, kPressure, kUniformity, kDelQRms, kQDiffMin, kQDiffMax };
const std::array<QString, 7> kFigureHeaders = {
    QStringLiteral("status"),          QStringLiteral("sweeps"),
    QStringLiteral("P1 (Pa)"),         QStringLiteral("uniformity"),
    QStringLiteral("DelQRms (cm3/s)"), QStringLiteral("Q_DIFF min (%)"),
    QStringLiteral("Q_DIFF max (%)")};

}  // namespace

StudyRowsModel::StudyRowsModel(char separator, QObject* parent)
    : QAbstractTableModel(parent), separator_(separator) {}

void StudyRowsModel::Reset(std::vector<study::Sweep> sweeps) {
  beginResetModel();
  sweeps_ = std::move(sweeps);
  rows_.clear();
  endResetModel();
}

void StudyRowsModel::Append(std::vector<study::CaseResult>& rows) {
  if (rows.empty()) {
    return;
  }
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
  endInsertRows();
  rows.clear();
}

double StudyRowsModel::InputValue(std::uint64_t index, std::size_t dimension) const {
  // The last sweep is the innermost loop.
  for (std::size_t inner = sweeps_.size() - 1; inner > dimension; --inner) {
    index /= sweeps_[inner].count;
  }
  return sweeps_[dimension].Value(index % sweeps_[dimension].count);
}

int StudyRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StudyRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(sweeps_.size() + kFigureHeaders.size());
}

QVariant StudyRowsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) {
    return {};
  }
  const auto row = static_cast<std::size_t>(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  if (column < sweeps_.size()) {
    return NumberText(InputValue(row, column), separator_);
  }
  const study::CaseResult& result = rows_[row];
  const bool figures = result.converged;
  switch (static_cast<FigureColumn>(column - sweeps_.size())) {
    case kStatus:
      return Utf8Text(base::OutcomeCode(result.status));
    case kSweeps:
      return result.sweeps;
    case kPressure:
      return figures ? NumberText(result.entrancePressure, separator_) : QString();
    case kUniformity:
      return figures ? NumberText(result.uniformity, separator_) : QString();
    case kDelQRms:
      return figures ? NumberText(result.delQRms, separator_) : QString();
    case kQDiffMin:
      return figures ? NumberText(result.qDiffMin, separator_) : QString();
    case kQDiffMax:
      return figures ? NumberText(result.qDiffMax, separator_) : QString();
  }
  return {};
}

QVariant StudyRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) {
    return {};
  }
  if (orientation == Qt::Vertical) {
    return section + 1;
  }
  const auto column = static_cast<std::size_t>(section);
  if (column < sweeps_.size()) {
    return Utf8Text(sweeps_[column].input->symbol);
  }
  return kFigureHeaders.at(column - sweeps_.size());
}

}  // namespace fluxeta::ui
