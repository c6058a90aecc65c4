#include "study_rows_model.h"

#include <array>

#include "fluxeta/base/outcome.h"
#include "number_presentation.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

// The columns after the varied inputs.
enum FigureColumn { kStatus, kSweeps, kPressure, kUniformity, kDelQRms, kQDiffMin, kQDiffMax };
const std::array<QString, 7> kFigureHeaders = {
    QStringLiteral("status"),          QStringLiteral("sweeps"),
    QStringLiteral("P1 (kPa)"),        QStringLiteral("uniformity"),
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

// Six significant figures shown, the full value in the tooltip (and in the CSV export).
QVariant StudyRowsModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) {
    return {};
  }
  const bool shown = role == Qt::DisplayRole;
  const auto figure = [this, shown](double value) {
    return shown ? ScreenNumber(value, separator_) : FullNumber(value, separator_);
  };
  const auto row = static_cast<std::size_t>(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  if (column < sweeps_.size()) {
    return figure(InputValue(row, column));
  }
  const study::CaseResult& result = rows_[row];
  const bool figures = result.converged;
  switch (static_cast<FigureColumn>(column - sweeps_.size())) {
    case kStatus:
      return Utf8Text(base::OutcomeCode(result.status));
    case kSweeps:
      return result.sweeps;
    case kPressure:
      if (!figures) {
        return QString();
      }
      return shown ? ScreenNumber(result.entrancePressure / kPascalsPerKilopascal, separator_)
                   : FullPressure(result.entrancePressure, separator_);
    case kUniformity:
      return figures ? figure(result.uniformity) : QString();
    case kDelQRms:
      return figures ? figure(result.delQRms) : QString();
    case kQDiffMin:
      return figures ? figure(result.qDiffMin) : QString();
    case kQDiffMax:
      return figures ? figure(result.qDiffMax) : QString();
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
