#include "study_rows_model.h"

#include "fluxeta/base/outcome.h"
#include "fluxeta/study/study_columns.h"
#include "number_presentation.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

// The table shows the verdict's code, the sweeps and the figures of each case.
bool Shown(const study::StudyColumn& column) {
  return (column.kind == study::ColumnKind::Status || column.kind == study::ColumnKind::Sweeps ||
          column.kind == study::ColumnKind::Figure) &&
         study::InRows(column, study::StudyRows::Robust);
}

// Pressures are shown in kPa, as everywhere on screen.
bool InPascals(const study::StudyColumn& column) {
  return column.unit == "Pa";
}

std::vector<const study::StudyColumn*> ShownColumns() {
  std::vector<const study::StudyColumn*> shown;
  for (const study::StudyColumn& column : study::kStudyColumns) {
    if (Shown(column)) {
      shown.push_back(&column);
    }
  }
  return shown;
}

}  // namespace

StudyRowsModel::StudyRowsModel(char separator, QObject* parent)
    : QAbstractTableModel(parent), separator_(separator), figureColumns_(ShownColumns()) {}

void StudyRowsModel::Reset(std::vector<study::Sweep> sweeps) {
  beginResetModel();
  sweeps_ = std::move(sweeps);
  grid_ = study::StudyGrid();
  for (const study::Sweep& sweep : sweeps_) {
    grid_.AddSweep(sweep);
  }
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
  return sweeps_[dimension].Value(grid_.PointOf(index, dimension));
}

int StudyRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StudyRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(sweeps_.size() + figureColumns_.size());
}

// Six significant figures shown, the full value in the tooltip (and in the CSV export).
QVariant StudyRowsModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) {
    return {};
  }
  const bool onScreen = role == Qt::DisplayRole;
  const auto row = static_cast<std::size_t>(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  if (column < sweeps_.size()) {
    const double value = InputValue(row, column);
    return onScreen ? ScreenNumber(value, separator_) : FullNumber(value, separator_);
  }
  const study::CaseResult& result = rows_[row];
  const study::StudyColumn& shown = *figureColumns_.at(column - sweeps_.size());
  switch (shown.kind) {
    case study::ColumnKind::Status:
      return Utf8Text(base::OutcomeCode(result.status));
    case study::ColumnKind::Sweeps:
      return result.sweeps;
    default: {
      // The figures of a converged case only.
      if (!result.converged) {
        return QString();
      }
      const double value = result.*shown.figure;
      if (InPascals(shown)) {
        return onScreen ? ScreenNumber(value / kPascalsPerKilopascal, separator_)
                        : FullPressure(value, separator_);
      }
      return onScreen ? ScreenNumber(value, separator_) : FullNumber(value, separator_);
    }
  }
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
  const study::StudyColumn& shown = *figureColumns_.at(column - sweeps_.size());
  QString title = Utf8Text(shown.title);
  return InPascals(shown) ? title.replace(QStringLiteral("(Pa)"), QStringLiteral("(kPa)")) : title;
}

}  // namespace fluxeta::ui
