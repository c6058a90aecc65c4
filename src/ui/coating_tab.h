// The workbench's Coating tab: whether the coating bead holds across the whole web of the
// case panel's die at an operating point typed here. It draws the window in the plane of web
// speed and wet thickness (the low-flow and vacuum limits as named curves, the operating
// point, and the band of the web's wet thicknesses as a bar at the operating speed, its
// parts outside the window in red) and the wet thickness across the web against the limits.
#pragma once

#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

#include "fluxeta/coating/coating_window.h"
#include "fluxeta/coating/window_curves.h"
#include "presenter.h"
#include "project_fields.h"

namespace fluxeta::ui {

class CasePanel;

// The boxes of the operating point, in the order of the tab's grid.
enum class PointBox {
  WebSpeed,
  CoatingGap,
  UpstreamLip,
  DownstreamLip,
  SurfaceTension,
  LowestVacuum,
  HighestVacuum,
};
inline constexpr std::size_t kPointBoxCount = 7;

class CoatingTab : public QWidget {
  Q_OBJECT

 public:
  CoatingTab(Presenter& presenter, CasePanel& casePanel, QWidget* parent = nullptr);

  void SetBox(PointBox box, const QString& text);
  // The operating point a project keeps, by the boxes' keys (web_speed, coating_gap, …).
  std::vector<ProjectField> ProjectFields();

  // Solves the panel's case and evaluates its window at the typed operating point; false,
  // having said why through the presenter, for a point or case that cannot be evaluated.
  bool Compute();

  const std::optional<coating::CoatingWindow>& Window() const { return window_; }
  // The window's limits at the speeds the plane is drawn over.
  const std::vector<coating::WindowLimits>& Curves() const { return curves_; }
  QString VerdictText() const { return verdict_->text(); }
  QChartView& WindowChart() { return *windowChart_; }
  QChartView& WebChart() { return *webChart_; }

 private:
  QWidget* MakePointBoxes();
  void ShowWindowPlane();
  void ShowWebProfile();

  Presenter& presenter_;
  CasePanel& casePanel_;
  std::array<QLineEdit*, kPointBoxCount> boxes_{};
  QPushButton* compute_;
  QLabel* verdict_;
  QChartView* windowChart_;
  QChartView* webChart_;
  std::optional<coating::CoatingWindow> window_;
  std::vector<coating::WindowLimits> curves_;
};

}  // namespace fluxeta::ui
