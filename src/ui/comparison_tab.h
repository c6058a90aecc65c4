// The workbench's Compare tab: up to four solved results pinned as A–D (from the Result tab,
// a design's optimum or a study's cell), their slot-flow deviation, cavity pressure and
// cavity flow across the width overlaid, and a table of their figures with the differences
// to the first pin. The pins are kept in the project by their cases, solved again on opening.
#pragma once

#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <QWidget>

#include <array>
#include <optional>

#include "finished_run.h"
#include "presenter.h"
#include "project_part.h"

namespace fluxeta::ui {

inline constexpr std::size_t kMostPins = 4;

struct PinnedResult {
  QString source;  // where it was pinned from: "Result tab", "design optimum", …
  FinishedRun run;
};

// The curves the tab overlays.
enum class ComparedCurve { Deviation, Pressure, Flow };
inline constexpr std::size_t kComparedCurveCount = 3;

class ComparisonTab : public QWidget, public ProjectPart {
  Q_OBJECT

 public:
  explicit ComparisonTab(Presenter& presenter, QWidget* parent = nullptr);

  // Pins the run under the first free letter and returns it; with four pinned already,
  // says so through the presenter and returns nothing.
  std::optional<QChar> Pin(const FinishedRun& run, const QString& source);
  void Unpin(QChar letter);
  void Clear();

  // Pin `slot` is letter 'A' + slot.
  const std::array<std::optional<PinnedResult>, kMostPins>& Pins() const { return pins_; }
  const QTableWidget& Table() const { return *table_; }
  const QLineSeries& Curve(ComparedCurve curve, std::size_t slot) const {
    return *curves_[static_cast<std::size_t>(curve)].series[slot];
  }
  QChartView& CurveView(ComparedCurve curve) {
    return *curves_[static_cast<std::size_t>(curve)].view;
  }

  // "comparison": {"pins": [{"letter", "source", "search", "inputs": {name: value}}, …]}.
  std::string ProjectKey() const override;
  nlohmann::json SaveProject() const override;
  std::function<void()> ReadProject(const nlohmann::json& section,
                                    const std::string& path) override;
  void ClearProject() override { Clear(); }
  void WatchProject(const std::function<void()>& changed) override;

 signals:
  void pinsChanged();

 private:
  struct CurvePlot {
    QChartView* view = nullptr;
    QValueAxis* position = nullptr;
    QValueAxis* value = nullptr;
    std::array<QLineSeries*, kMostPins> series{};
  };
  CurvePlot MakeCurvePlot(const QString& title, const QString& valueTitle);
  void ShowPins();
  void ShowTable();
  void ShowCurves();

  Presenter& presenter_;
  std::array<std::optional<PinnedResult>, kMostPins> pins_;
  QTableWidget* table_;
  QPushButton* unpin_;
  QPushButton* clear_;
  std::array<CurvePlot, kComparedCurveCount> curves_;
};

}  // namespace fluxeta::ui
