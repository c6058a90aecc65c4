// The case the workbench's Study, Design and Sensitivity tabs work on: all fifteen inputs,
// the material values included, each with its unit and plausible range, taken from and
// applied to the main window's boxes. Boxes whose text is no value of the input are marked,
// so are values outside the plausible range; every edit can be undone.
#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QWidget>

#include <array>
#include <optional>

#include "case_check.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/run/box_texts.h"
#include "presenter.h"
#include "project_part.h"

namespace fluxeta::ui {

class TForm1;

using CaseTexts = std::array<QString, cases::kInputCount>;

class CasePanel : public QWidget, public ProjectPart {
  Q_OBJECT

 public:
  // Numbers are written with `separator`, as in the main window's boxes. Without a main
  // window the two buttons stay disabled.
  CasePanel(Presenter& presenter, char separator, TForm1* mainWindow, QWidget* parent = nullptr);

  char Separator() const { return separator_; }
  QLineEdit& Edit(std::size_t input) { return *edits_.at(input); }
  CaseTexts Texts() const;
  // The case in one line, "Ain 3.0 cm2 · γ 0.1 · …", the texts as typed.
  QString CaseLine() const;

  // The sixteen box texts: the inputs as typed here, the result file name as last taken.
  run::BoxTexts Boxes() const;
  void SetBoxes(const run::BoxTexts& boxes);
  // The inputs as typed here, numbers written with the separator.
  cases::CaseInputs Inputs() const;
  // The check of the texts as they stand, saying nothing.
  CaseCheck Check() const;
  // The fifteen values, checked; a refusal is said through the presenter and gives nothing.
  std::optional<cases::CaseValues> Values() const;
  // Writes `value` into the input's box in its shortest form.
  void SetValue(std::size_t input, double value);
  void SetValues(const cases::CaseValues& values);

  // "Take from Main Window": the main window's boxes into the panel.
  void TakeFromMainWindow();
  // "Apply to Main Window": the inputs the main window lets the user change into its boxes,
  // each written whole within the box (rounded to what fits when its full value does not,
  // which the status says); says through the presenter which material values differ and so
  // were not carried over. A case with a refused text is not applied.
  void ApplyToMainWindow();

  // The line under the buttons: the first problem of the texts, or what Apply did.
  QString StatusText() const { return status_->text(); }
  QUndoStack& UndoStack() { return undoStack_; }
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }

  std::string ProjectKey() const override;
  nlohmann::json SaveProject() const override;
  std::function<void()> ReadProject(const nlohmann::json& section,
                                    const std::string& path) override;
  void ClearProject() override;
  void WatchProject(const std::function<void()>& changed) override;

 signals:
  // A text changed, by typing, undo, redo or a tab.
  void changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class CaseTextsCommand;
  // Pushes the change to `after` as one step that can be undone; steps that share a
  // positive `mergeKey` in a row are one.
  void ChangeTexts(const CaseTexts& after, const QString& what, int mergeKey = -1);
  // Shows the texts and marks them, without an undo step.
  void ShowTexts(const CaseTexts& texts);
  void Typed(std::size_t input);
  void MarkProblems();

  Presenter& presenter_;
  const char separator_;
  TForm1* mainWindow_;
  std::array<QLineEdit*, cases::kInputCount> edits_{};
  std::array<QString, cases::kInputCount> rangeTips_{};
  CaseTexts shown_{};  // the texts as the last step left them
  QLabel* status_;
  QUndoStack undoStack_;
  QAction* undo_;
  QAction* redo_;
  bool showing_ = false;  // while ShowTexts writes the boxes
  int typingRun_ = 0;     // typing in one box until it loses the focus is one step
  std::string resultFileName_ = cases::kDefaultResultFileName;
};

}  // namespace fluxeta::ui
