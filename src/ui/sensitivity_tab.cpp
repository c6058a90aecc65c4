#include "sensitivity_tab.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "case_panel.h"
#include "fluxeta/base/outcome.h"
#include "locale_number_text.h"
#include "nice_ticks.h"
#include "number_presentation.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

const QString kComputeCaption = QStringLiteral("Compute");
constexpr int kChartMargin = 2;
constexpr int kInputNamePixels = 9;
constexpr int kBarValueTickIntervals = 4;

QChartView* MakeChartView(const QString& name) {
  auto* view = new QChartView(new QChart);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->chart()->legend()->hide();
  view->chart()->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
  return view;
}

}  // namespace

SensitivityTab::SensitivityTab(Presenter& presenter, CasePanel& casePanel, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      casePanel_(casePanel),
      compute_(new QPushButton(kComputeCaption)),
      status_(new QLabel),
      bandLabel_(new QLabel),
      uniformityChart_(MakeChartView(QStringLiteral("UniformitySensitivity"))),
      pressureChart_(MakeChartView(QStringLiteral("PressureSensitivity"))) {
  setObjectName(QStringLiteral("SensitivityTab"));
  compute_->setObjectName(QStringLiteral("ComputeSensitivity"));
  status_->setObjectName(QStringLiteral("SensitivityStatus"));
  bandLabel_->setObjectName(QStringLiteral("ToleranceBand"));
  bandLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Long texts wrap rather than widen the window beside the main window.
  status_->setWordWrap(true);
  bandLabel_->setWordWrap(true);

  auto* charts = new QVBoxLayout;
  charts->addWidget(uniformityChart_);
  charts->addWidget(pressureChart_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(compute_);
  buttons->addWidget(status_, 1);
  auto* tolerances = new QScrollArea;
  tolerances->setWidget(MakeTolerances());
  tolerances->setWidgetResizable(true);
  tolerances->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tolerances->setMinimumHeight(tolerances->widget()->sizeHint().height());

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addLayout(charts, 1);
  layout->addWidget(tolerances);
  layout->addWidget(bandLabel_);
  connect(compute_, &QPushButton::clicked, this, [this] { Start(); });
  connect(&job_, &BackgroundJob::finished, this, &SensitivityTab::Finished);
  connect(&casePanel_, &CasePanel::changed, this, &SensitivityTab::MarkOutOfDate);
  for (QLineEdit* tolerance : tolerances_) {
    connect(tolerance, &QLineEdit::textChanged, this, &SensitivityTab::MarkOutOfDate);
    connect(tolerance, &QLineEdit::returnPressed, this, [this] { Start(); });
  }
}

void SensitivityTab::MarkOutOfDate() {
  if (!shownUpToDate_ || Running()) {
    return;
  }
  shownUpToDate_ = false;
  status_->setText(QStringLiteral("The case or the tolerances have changed since; Compute again "
                                  "for their figures. ") +
                   status_->text());
}

QWidget* SensitivityTab::MakeTolerances() {
  auto* widget = new QWidget;
  auto* grid = new QGridLayout(widget);
  grid->setVerticalSpacing(1);
  grid->addWidget(new QLabel(QStringLiteral("tolerance (±delta or ±pct%)")), 0, 0, 1, 6);
  // Two inputs a row, to keep the list short.
  constexpr int kInputsPerRow = 3;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Tolerance_") + Utf8Text(spec.name));
    edit->setPlaceholderText(QStringLiteral("±0"));
    tolerances_[input] = edit;
    const int row = static_cast<int>(input) / kInputsPerRow + 1;
    const int column = static_cast<int>(input) % kInputsPerRow * 2;
    grid->addWidget(
        new QLabel(QStringLiteral("%1 (%2)").arg(Utf8Text(spec.symbol), Utf8Text(spec.unit))), row,
        column);
    grid->addWidget(edit, row, column + 1);
  }
  return widget;
}

void SensitivityTab::SetTolerance(std::size_t input, const QString& text) {
  tolerances_.at(input)->setText(text);
}

std::vector<ProjectField> SensitivityTab::ProjectFields() {
  std::vector<ProjectField> tolerances;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    tolerances.push_back(ProjectField::Box(std::string(cases::kInputs[input].name),
                                           *tolerances_[input], casePanel_.Separator()));
  }
  return {ProjectField::Group("tolerances", std::move(tolerances))};
}

bool SensitivityTab::Start() {
  if (Running()) {
    return false;
  }
  const auto base = casePanel_.Values();
  if (!base) {
    return false;
  }
  const design::CaseDesignModel model(*base);
  design::ToleranceSettings tolerances;
  // Every input has its box here, those the main window keeps fixed too.
  tolerances.allInputs = true;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    QString text = tolerances_[input]->text().trimmed();
    if (text.isEmpty()) {
      continue;
    }
    // Typed with the panel's separator; read with a point.
    text.replace(QChar::fromLatin1(casePanel_.Separator()),
                 QChar::fromLatin1(cases::kPointSeparator));
    const design::ParsedTolerance parsed = design::ParseTolerance(
        model, std::string(cases::kInputs[input].name) + "=" + text.toStdString());
    if (!parsed.tolerance) {
      presenter_.ShowMessage(Utf8Text(parsed.refusal));
      return false;
    }
    tolerances.tolerances.push_back(*parsed.tolerance);
  }
  if (!tolerances.tolerances.empty()) {
    try {
      design::CheckToleranceBand(model, tolerances, design::KeywordSettingNames(""));
    } catch (const design::DesignRefusal& refusal) {
      presenter_.ShowMessage(Utf8Text(refusal.what()));
      return false;
    }
  }
  outcome_ = Outcome{};
  // Every input a tolerance can be given for has its bars.
  job_.Start([this, model, tolerances](const std::atomic<bool>&) {
    design::SensitivitySettings settings;
    settings.allInputs = true;
    const design::SensitivityResult sensitivities = design::Sensitivities(model, settings);
    outcome_.centre = sensitivities.centre;
    if (!outcome_.centre.Solved()) {
      outcome_.failure = "The case gives no figures (" +
                         std::string(base::OutcomeCode(outcome_.centre.status)) +
                         "); sensitivities need a solved case.";
      return;
    }
    outcome_.rows = sensitivities.rows;
    if (!tolerances.tolerances.empty()) {
      outcome_.band = design::EvaluateToleranceBand(model, tolerances);
      if (!outcome_.band->Complete()) {
        outcome_.bandFailure = design::UnsolvedPointsText(model, *outcome_.band);
      }
    }
  });
  compute_->setEnabled(false);
  status_->setText(QStringLiteral("solving"));
  return true;
}

void SensitivityTab::Finished() {
  compute_->setEnabled(true);
  if (outcome_.failure.empty() && !job_.Failure().empty()) {
    outcome_.failure = job_.Failure();
  }
  rows_ = outcome_.rows;
  band_ = outcome_.band;
  const char separator = casePanel_.Separator();
  if (!outcome_.failure.empty()) {
    status_->setText(QString::fromStdString(outcome_.failure));
  } else {
    status_->setText(QStringLiteral("uniformity %1, entrance pressure %2")
                         .arg(ScreenNumber(outcome_.centre.uniformity, separator),
                              ScreenPressure(outcome_.centre.entrancePressure, separator)));
  }
  ShowBars(*uniformityChart_, QStringLiteral("uniformity per 1 %"),
           &design::Sensitivity::uniformityPerPercent);
  ShowBars(*pressureChart_, QStringLiteral("entrance pressure (kPa) per 1 %"),
           &design::Sensitivity::pressurePerPercent);
  if (band_ && !band_->Complete()) {
    // A band with a point not solved has no figures: its width would be a guess.
    bandLabel_->setText(QStringLiteral("no band: %1").arg(Utf8Text(outcome_.bandFailure)));
  } else if (band_) {
    bandLabel_->setText(
        QStringLiteral("band over %1 corners: uniformity %2 … %3, entrance pressure %4 … %5")
            .arg(band_->corners)
            .arg(ScreenNumber(band_->worstUniformity, separator),
                 ScreenNumber(band_->bestUniformity, separator),
                 ScreenPressure(band_->lowestEntrancePressure, separator),
                 ScreenPressure(band_->highestEntrancePressure, separator)));
    bandLabel_->setToolTip(QStringLiteral("uniformity %1 … %2, entrance pressure %3 … %4")
                               .arg(FullNumber(band_->worstUniformity, separator),
                                    FullNumber(band_->bestUniformity, separator),
                                    FullPressure(band_->lowestEntrancePressure, separator),
                                    FullPressure(band_->highestEntrancePressure, separator)));
  } else {
    bandLabel_->setToolTip(QString());
    bandLabel_->setText(outcome_.failure.empty() ? QStringLiteral("no tolerances given")
                                                 : QString());
  }
  shownUpToDate_ = true;
  emit finished();
}

void SensitivityTab::ShowBars(QChartView& view, const QString& title,
                              double design::Sensitivity::*figure) {
  const bool pressure = figure == &design::Sensitivity::pressurePerPercent;
  std::vector<design::Sensitivity> sorted;
  for (const design::Sensitivity& row : rows_) {
    if (row.solved) {
      sorted.push_back(row);
    }
  }
  std::stable_sort(sorted.begin(), sorted.end(), [figure](const auto& a, const auto& b) {
    return std::abs(a.*figure) > std::abs(b.*figure);
  });
  QChart* chart = view.chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  chart->setTitle(title);
  auto* bars = new QBarSet(title);
  QStringList categories;
  double largest = 0;
  // The largest effect first, on the left.
  for (auto row = sorted.begin(); row != sorted.end(); ++row) {
    const double value = (*row).*figure / (pressure ? kPascalsPerKilopascal : 1.0);
    bars->append(value);
    largest = std::max(largest, std::abs(value));
    categories.append(Utf8Text(cases::kInputs[row->quantity].symbol));
  }
  auto* series = new QBarSeries;
  series->append(bars);
  chart->addSeries(series);
  auto* names = new QBarCategoryAxis;
  names->append(categories);
  // Fifteen inputs share the chart's width: small names keep every one whole.
  QFont nameFont = names->labelsFont();
  nameFont.setPixelSize(kInputNamePixels);
  names->setLabelsFont(nameFont);
  // Symmetric about zero, so that a rise and a fall of the same size look the same.
  auto* values = new QValueAxis;
  const double reach = largest > 0 ? largest : 1;
  ApplyNiceScale(*values, -reach, reach, kBarValueTickIntervals);
  chart->addAxis(names, Qt::AlignBottom);
  chart->addAxis(values, Qt::AlignLeft);
  series->attachAxis(names);
  series->attachAxis(values);
}

}  // namespace fluxeta::ui
