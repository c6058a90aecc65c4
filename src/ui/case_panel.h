// The case the workbench's Study, Design and Sensitivity tabs work on: all fifteen inputs,
// the material values included, each with its unit and plausible range, taken from and
// applied to the main window's boxes.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <optional>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/run/box_texts.h"
#include "presenter.h"

namespace fluxeta::ui {

class TForm1;

class CasePanel : public QWidget {
  Q_OBJECT

 public:
  // Numbers are written with `separator`, as in the main window's boxes. Without a main
  // window the two buttons stay disabled.
  CasePanel(Presenter& presenter, char separator, TForm1* mainWindow, QWidget* parent = nullptr);

  char Separator() const { return separator_; }
  QLineEdit& Edit(std::size_t input) { return *edits_.at(input); }

  // The sixteen box texts: the inputs as typed here, the result file name as last taken.
  run::BoxTexts Boxes() const;
  void SetBoxes(const run::BoxTexts& boxes);
  // The inputs as typed here, numbers written with the separator.
  cases::CaseInputs Inputs() const;
  // The values as a run reads them; a text that is not a number, or a fault in a
  // derived value, is shown through the presenter and gives nothing.
  std::optional<cases::CaseValues> Values() const;
  // Writes `value` into the input's box in its shortest form.
  void SetValue(std::size_t input, double value);
  void SetValues(const cases::CaseValues& values);

  // "Take from Main Window": the main window's boxes into the panel.
  void TakeFromMainWindow();
  // "Apply to Main Window": the inputs the main window lets the user change into its boxes;
  // says through the presenter which of the others differ and so were not carried over.
  void ApplyToMainWindow();

 private:
  Presenter& presenter_;
  const char separator_;
  TForm1* mainWindow_;
  std::array<QLineEdit*, cases::kInputCount> edits_{};
  std::string resultFileName_ = cases::kDefaultResultFileName;
};

}  // namespace fluxeta::ui
