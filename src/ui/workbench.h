// The workbench: one window beside the main window, with a tab per task. It shows the result
// of the last finished run and never takes the focus from the main window.
#pragma once

#include <QElapsedTimer>
#include <QKeyCombination>
#include <QTabWidget>
#include <QWidget>

#include <memory>
#include <vector>

#include "finished_run.h"
#include "presenter.h"
#include "project_fields.h"
#include "project_keeper.h"
#include "project_part.h"

namespace fluxeta::ui {

class CasePanel;
class CoatingTab;
class ComparisonTab;
class DesignTab;
class DieTab;
class LiquidTab;
class ResultTab;
class SensitivityTab;
class StudyTab;

// The main window's key for opening the workbench. Ctrl+W closes windows in most programs,
// and F keys are taken by help, refresh and recalculation; Ctrl+Shift+B is free here.
inline constexpr QKeyCombination kOpenWorkbenchKeys(Qt::CTRL | Qt::SHIFT, Qt::Key_B);

class Workbench : public QWidget {
  Q_OBJECT

 public:
  // A top-level window that belongs to `mainWindow` (closed with it) and opens beside it;
  // failures of its own actions are reported through `presenter`.
  Workbench(Presenter& presenter, QWidget* mainWindow);

  ResultTab& Result() { return *resultTab_; }
  const ResultTab& Result() const { return *resultTab_; }
  QTabWidget& Tabs() { return *tabs_; }
  CasePanel& Case() { return *casePanel_; }
  StudyTab& Study() { return *studyTab_; }
  DesignTab& Design() { return *designTab_; }
  SensitivityTab& Sensitivity() { return *sensitivityTab_; }
  CoatingTab& Coating() { return *coatingTab_; }
  // The die and its liquid, each a part of the project: the die document without its
  // "fluid", and the liquid document the die holds as its "fluid".
  DieTab& Die() { return *dieTab_; }
  LiquidTab& Liquid() { return *liquidTab_; }
  ComparisonTab& Comparison() { return *comparisonTab_; }
  ProjectKeeper& Project() { return *project_; }

  // A tab's state kept in the project from now on: the part itself, or its fields under `key`.
  void AddProjectPart(ProjectPart& part);
  void AddProjectPart(const std::string& key, std::vector<ProjectField> fields);
  // File ▸ Export Report…: the report of the work as a PDF, or as one HTML file with its
  // pictures embedded when the name ends in ".html" or ".htm"; written whole. False, having
  // said why through the presenter, when it could not be written.
  bool ExportReport(const QString& path);
  bool ExportReportChosen();
  // Before the program closes: asks about unsaved changes; false to keep it open.
  bool MayClose() { return project_->MayDiscardChanges(); }

  // Shows the window and raises it without activating it. The first call places it beside
  // the main window, moving the main window aside when nothing else keeps it uncovered;
  // later calls keep the place the user gave it. A window that was hidden takes the case
  // panel's case from the main window's boxes, unless it holds a project's file.
  void Open();
  // Shows a finished run in the Result tab, brings that tab to the front and opens the window.
  void ShowResults(const FinishedRun& run);

 protected:
  bool event(QEvent* event) override;

 private:
  void PlaceBesideMainWindow();
  // Pins a result of a tab on the Compare tab, whose caption counts the pins.
  void Pin(const std::optional<FinishedRun>& run, const QString& source);
  void CountPins();

  Presenter& presenter_;
  QTabWidget* tabs_;
  ResultTab* resultTab_;
  CasePanel* casePanel_;
  StudyTab* studyTab_;
  DesignTab* designTab_;
  SensitivityTab* sensitivityTab_;
  CoatingTab* coatingTab_;
  LiquidTab* liquidTab_;
  DieTab* dieTab_;
  ComparisonTab* comparisonTab_;
  ProjectKeeper* project_;
  std::vector<std::unique_ptr<ProjectPart>> sections_;
  bool placed_ = false;
  QElapsedTimer openedAt_;  // since the last Open(), while it may still bring an activation
};

}  // namespace fluxeta::ui
