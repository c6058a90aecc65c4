#include "case_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QStringList>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/default_case.h"
#include "locale_number_text.h"
#include "main_window.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

const QString kTakeCaption = QStringLiteral("Take from Main Window");
const QString kApplyCaption = QStringLiteral("Apply to Main Window");
constexpr int kEditWidth = 64;

QString RangeText(const cases::InputSpec& spec, char separator) {
  return QStringLiteral("%1 … %2 %3")
      .arg(NumberText(spec.plausibleLow, separator), NumberText(spec.plausibleHigh, separator),
           Utf8Text(spec.unit));
}

}  // namespace

CasePanel::CasePanel(Presenter& presenter, char separator, TForm1* mainWindow, QWidget* parent)
    : QWidget(parent), presenter_(presenter), separator_(separator), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("CasePanel"));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setVerticalSpacing(2);
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    const QString range = RangeText(spec, separator_);
    auto* label =
        new QLabel(QStringLiteral("%1 (%2)").arg(Utf8Text(spec.symbol), Utf8Text(spec.unit)));
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Case_%1").arg(Utf8Text(spec.name)));
    edit->setFixedWidth(kEditWidth);
    edit->setToolTip(QStringLiteral("%1\nplausible %2").arg(Utf8Text(spec.windowLabel), range));
    label->setToolTip(edit->toolTip());
    const int row = static_cast<int>(input);
    layout->addWidget(label, row, 0);
    layout->addWidget(edit, row, 1);
    edits_[input] = edit;
  }
  auto* take = new QPushButton(kTakeCaption);
  take->setObjectName(QStringLiteral("TakeFromMainWindow"));
  auto* apply = new QPushButton(kApplyCaption);
  apply->setObjectName(QStringLiteral("ApplyToMainWindow"));
  take->setEnabled(mainWindow_ != nullptr);
  apply->setEnabled(mainWindow_ != nullptr);
  const int buttonRow = static_cast<int>(cases::kInputCount);
  layout->addWidget(take, buttonRow, 0, 1, 2);
  layout->addWidget(apply, buttonRow + 1, 0, 1, 2);
  layout->setRowStretch(buttonRow + 2, 1);
  connect(take, &QPushButton::clicked, this, &CasePanel::TakeFromMainWindow);
  connect(apply, &QPushButton::clicked, this, &CasePanel::ApplyToMainWindow);

  SetBoxes(mainWindow_ != nullptr ? mainWindow_->Boxes() : run::DefaultBoxTexts(separator_));
}

run::BoxTexts CasePanel::Boxes() const {
  run::BoxTexts boxes;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    boxes.Input(input) = edits_[input]->text().toStdString();
  }
  boxes.Edit(run::kResultFileNameBox) = resultFileName_;
  return boxes;
}

void CasePanel::SetBoxes(const run::BoxTexts& boxes) {
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    edits_[input]->setText(QString::fromStdString(boxes.Input(input)));
    edits_[input]->setCursorPosition(0);
  }
  resultFileName_ = boxes.Edit(run::kResultFileNameBox);
}

cases::CaseInputs CasePanel::Inputs() const {
  return run::InputsOfBoxes(Boxes(), separator_);
}

std::optional<cases::CaseValues> CasePanel::Values() const {
  cases::CaseParameters parameters;
  try {
    run::ReadCaseFromForm(Boxes(), separator_, parameters);
  } catch (const base::FluxetaError& error) {
    presenter_.ShowMessage(Utf8Text(error.message()));
    return std::nullopt;
  }
  return cases::InputValues(parameters);
}

void CasePanel::SetValue(std::size_t input, double value) {
  edits_.at(input)->setText(NumberText(value, separator_));
  edits_[input]->setCursorPosition(0);
}

void CasePanel::SetValues(const cases::CaseValues& values) {
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    SetValue(input, values[input]);
  }
}

void CasePanel::TakeFromMainWindow() {
  if (mainWindow_ != nullptr) {
    SetBoxes(mainWindow_->Boxes());
  }
}

void CasePanel::ApplyToMainWindow() {
  if (mainWindow_ == nullptr) {
    return;
  }
  run::BoxTexts boxes = mainWindow_->Boxes();
  QStringList notCarried;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    const std::string text = edits_[input]->text().toStdString();
    std::string& box = boxes.Input(input);
    if (run::kBoxEnabledByDesign[run::kInputBoxes[input] - 1]) {
      box = text;
      continue;
    }
    const QString shown = QString::fromStdString(box);
    const auto panelValue = NumberOfText(edits_[input]->text(), separator_);
    if (text != box && (!panelValue || panelValue != NumberOfText(shown, separator_))) {
      notCarried.append(
          QStringLiteral("%1 = %2").arg(Utf8Text(spec.symbol), edits_[input]->text()));
    }
  }
  mainWindow_->SetBoxes(boxes);
  if (!notCarried.isEmpty()) {
    presenter_.ShowMessage(
        QStringLiteral("The main window keeps these material values fixed; they were not "
                       "carried over: %1")
            .arg(notCarried.join(QStringLiteral(", "))));
  }
}

}  // namespace fluxeta::ui
