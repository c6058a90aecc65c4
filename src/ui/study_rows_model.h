// The rows of a study as a table view shows them: the varied inputs, the verdict and the
// figures of each case, in grid order, growing as the study goes.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_columns.h"
#include "fluxeta/study/study_grid.h"
#include "fluxeta/study/study_sweep.h"

namespace fluxeta::ui {

class StudyRowsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StudyRowsModel(char separator, QObject* parent = nullptr);

  // A new study over `sweeps`, outermost first; no rows yet.
  void Reset(std::vector<study::Sweep> sweeps);
  // Moves `rows`, the next cases in grid order, to the end of the table.
  void Append(std::vector<study::CaseResult>& rows);

  const std::vector<study::CaseResult>& Rows() const { return rows_; }
  const std::vector<study::Sweep>& Sweeps() const { return sweeps_; }
  // The value of sweep `dimension` in case `index` of the grid.
  double InputValue(std::uint64_t index, std::size_t dimension) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const char separator_;
  const std::vector<const study::StudyColumn*> figureColumns_;
  std::vector<study::Sweep> sweeps_;
  study::StudyGrid grid_;  // of the sweeps, for the point each case takes
  std::vector<study::CaseResult> rows_;
};

}  // namespace fluxeta::ui
