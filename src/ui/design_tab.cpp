#include "design_tab.h"

#include <QKeyEvent>

#include <QChart>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

#include "case_panel.h"
#include "fluxeta/solver/search.h"
#include "locale_number_text.h"
#include "nice_ticks.h"
#include "number_presentation.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

// A pressure limit is typed in kPa, as pressures are shown everywhere on screen.
bool InPascals(const design::LimitSpec& limit) {
  return limit.unit == "Pa";
}

QString LimitLabel(const design::LimitSpec& limit) {
  QString label = Utf8Text(limit.label);
  return InPascals(limit) ? label.replace(QStringLiteral("(Pa)"), QStringLiteral("(kPa)")) : label;
}

const QString kRunCaption = QStringLiteral("Run Design");
const QString kCancelCaption = QStringLiteral("Cancel");
const QString kApplyCaption = QStringLiteral("Apply to Main Window");
const QString kShowResultCaption = QStringLiteral("Show Result");
// The most intervals between the ticks of the plot's axes.
constexpr int kMostEvaluationTicks = 5;
constexpr int kMostUniformityTicks = 5;
constexpr qreal kOptimumMarkerSize = 14;
// The lines the optimum takes below the plot: the inputs and the figures.
constexpr int kOptimumLines = 4;

QString InputTitle(const cases::InputSpec& input) {
  return QStringLiteral("%1 (%2)").arg(Utf8Text(input.symbol), Utf8Text(input.unit));
}

}  // namespace

DesignTab::DesignTab(Presenter& presenter, CasePanel& casePanel,
                     std::function<void(const FinishedRun&)> showResult, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      casePanel_(casePanel),
      showResult_(std::move(showResult)),
      objective_(new QComboBox),
      maxPressure_(new QLineEdit),
      minUniformity_(new QLineEdit),
      maxResidenceTime_(new QLineEdit),
      limits_{maxPressure_, minUniformity_, maxResidenceTime_},
      run_(new QPushButton(kRunCaption)),
      cancel_(new QPushButton(kCancelCaption)),
      apply_(new QPushButton(kApplyCaption)),
      showResultButton_(new QPushButton(kShowResultCaption)),
      pin_(new QPushButton(QStringLiteral("Pin Optimum"))),
      status_(new QLabel),
      optimum_(new QLabel),
      bestSoFar_(new QLineSeries),
      evaluationAxis_(new QValueAxis),
      uniformityAxis_(new QValueAxis) {
  setObjectName(QStringLiteral("DesignTab"));
  status_->setObjectName(QStringLiteral("DesignStatus"));
  optimum_->setObjectName(QStringLiteral("DesignOptimum"));
  // Long texts wrap rather than widen the window beside the main window.
  status_->setWordWrap(true);
  optimum_->setWordWrap(true);
  optimum_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  run_->setObjectName(QStringLiteral("RunDesign"));
  cancel_->setObjectName(QStringLiteral("CancelDesign"));
  apply_->setObjectName(QStringLiteral("ApplyDesign"));
  showResultButton_->setObjectName(QStringLiteral("ShowDesignResult"));
  cancel_->setEnabled(false);
  apply_->setEnabled(false);
  showResultButton_->setEnabled(false);
  pin_->setObjectName(QStringLiteral("PinDesign"));
  pin_->setToolTip(QStringLiteral("Keeps the optimum on the Compare tab"));
  pin_->setEnabled(false);

  auto* buttons = new QGridLayout;
  buttons->addWidget(run_, 0, 0);
  buttons->addWidget(cancel_, 0, 1);
  buttons->addWidget(apply_, 1, 0);
  buttons->addWidget(showResultButton_, 1, 1);
  buttons->addWidget(pin_, 1, 2);

  variablesArea_ = new QScrollArea;
  variablesArea_->setWidget(MakeVariables());
  variablesArea_->setWidgetResizable(true);
  // The optimum's lines have their room from the start, so that the list above keeps its
  // height, and the row the user ticked stays in view, when they come.
  optimum_->setWordWrap(true);
  optimum_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  optimum_->setMinimumHeight(kOptimumLines * optimum_->fontMetrics().lineSpacing());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(variablesArea_, 2);
  layout->addWidget(MakeGoal());
  layout->addLayout(buttons);
  layout->addWidget(status_);
  layout->addWidget(MakeProgressChart(), 3);
  layout->addWidget(optimum_);

  connect(&job_, &BackgroundJob::progress, this, &DesignTab::TakeEvaluations);
  connect(&job_, &BackgroundJob::finished, this, &DesignTab::SearchFinished);
  connect(run_, &QPushButton::clicked, this, [this] { Start(); });
  connect(cancel_, &QPushButton::clicked, this, &DesignTab::Cancel);
  connect(apply_, &QPushButton::clicked, this, &DesignTab::ApplyToMainWindow);
  connect(showResultButton_, &QPushButton::clicked, this, &DesignTab::ShowResult);
  connect(pin_, &QPushButton::clicked, this, &DesignTab::pinRequested);

  // Enter in a bound or a limit, or on the focused Run button, starts the search.
  for (const VariableControls& controls : variables_) {
    controls.low->installEventFilter(this);
    controls.high->installEventFilter(this);
  }
  for (QLineEdit* limit : limits_) {
    if (limit != nullptr) {  // a limit the tab has no box for
      limit->installEventFilter(this);
    }
  }
  run_->installEventFilter(this);
}

bool DesignTab::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Start();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QWidget* DesignTab::MakeVariables() {
  auto* variables = new QWidget;
  auto* grid = new QGridLayout(variables);
  grid->setVerticalSpacing(1);
  grid->addWidget(new QLabel(QStringLiteral("design variable")), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("LO")), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("HI")), 0, 2);
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    VariableControls& controls = variables_[input];
    controls.chosen = new QCheckBox(InputTitle(spec));
    controls.low = new QLineEdit(NumberText(spec.plausibleLow, casePanel_.Separator()));
    controls.high = new QLineEdit(NumberText(spec.plausibleHigh, casePanel_.Separator()));
    const QString name = Utf8Text(spec.name);
    controls.chosen->setObjectName(QStringLiteral("DesignVary_") + name);
    controls.low->setObjectName(QStringLiteral("DesignLow_") + name);
    controls.high->setObjectName(QStringLiteral("DesignHigh_") + name);
    const int row = static_cast<int>(input) + 1;
    grid->addWidget(controls.chosen, row, 0);
    grid->addWidget(controls.low, row, 1);
    grid->addWidget(controls.high, row, 2);
  }
  return variables;
}

QWidget* DesignTab::MakeGoal() {
  auto* goal = new QWidget;
  auto* grid = new QGridLayout(goal);
  grid->setContentsMargins(0, 0, 0, 0);
  objective_->setObjectName(QStringLiteral("DesignObjective"));
  objective_->addItem(QStringLiteral("uniformity"),
                      static_cast<int>(design::Objective::Uniformity));
  objective_->addItem(QStringLiteral("pressure"), static_cast<int>(design::Objective::Pressure));
  maxPressure_->setObjectName(QStringLiteral("DesignMaxPressure"));
  minUniformity_->setObjectName(QStringLiteral("DesignMinUniformity"));
  maxResidenceTime_->setObjectName(QStringLiteral("DesignMaxResidenceTime"));
  grid->addWidget(new QLabel(QStringLiteral("objective")), 0, 0);
  grid->addWidget(objective_, 0, 1);
  for (std::size_t limit = 0; limit < limits_.size(); ++limit) {
    // The coating window's limit comes with an operating point, which the tab has not.
    if (design::kDesignLimits[limit].byOperatingPoint) {
      continue;
    }
    const int row = static_cast<int>(limit) + 1;
    grid->addWidget(new QLabel(LimitLabel(design::kDesignLimits[limit])), row, 0);
    grid->addWidget(limits_[limit], row, 1);
  }
  return goal;
}

QChartView* DesignTab::MakeProgressChart() {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setTitle(QStringLiteral("best uniformity so far"));
  bestSoFar_->setName(QStringLiteral("best uniformity so far"));
  chart->addSeries(bestSoFar_);
  evaluationAxis_->setTitleText(QStringLiteral("evaluations"));
  uniformityAxis_->setTitleText(QStringLiteral("uniformity (-)"));
  // The plot is short beside the main window: the titles in the labels' font keep whole.
  for (QValueAxis* axis : {evaluationAxis_, uniformityAxis_}) {
    axis->setTitleFont(axis->labelsFont());
  }
  ApplyNiceScale(*evaluationAxis_, 0, 1, kMostEvaluationTicks, true);
  ApplyNiceScale(*uniformityAxis_, 0, 1, kMostUniformityTicks);
  optimumMark_->setName(QStringLiteral("optimum"));
  optimumMark_->setMarkerShape(QScatterSeries::MarkerShapeStar);
  optimumMark_->setMarkerSize(kOptimumMarkerSize);
  chart->addSeries(optimumMark_);
  chart->addAxis(evaluationAxis_, Qt::AlignBottom);
  chart->addAxis(uniformityAxis_, Qt::AlignLeft);
  bestSoFar_->attachAxis(evaluationAxis_);
  bestSoFar_->attachAxis(uniformityAxis_);
  optimumMark_->attachAxis(evaluationAxis_);
  optimumMark_->attachAxis(uniformityAxis_);
  auto* view = new QChartView(chart);
  view->setObjectName(QStringLiteral("DesignProgress"));
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

std::vector<ProjectField> DesignTab::ProjectFields() {
  const char separator = casePanel_.Separator();
  std::vector<ProjectField> variables;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const VariableControls& controls = variables_[input];
    variables.push_back(
        ProjectField::Group(std::string(cases::kInputs[input].name),
                            {ProjectField::Tick("vary", *controls.chosen),
                             ProjectField::Box("low", *controls.low, separator),
                             ProjectField::Box("high", *controls.high, separator)}));
  }
  std::vector<ProjectField> fields = {ProjectField::Group("variables", std::move(variables)),
                                      ProjectField::Choice("objective", *objective_)};
  for (std::size_t limit = 0; limit < limits_.size(); ++limit) {
    if (design::kDesignLimits[limit].byOperatingPoint) {
      continue;
    }
    fields.push_back(ProjectField::Box(std::string(design::kDesignLimits[limit].key),
                                       *limits_[limit], separator));
  }
  return fields;
}

void DesignTab::SetVariable(std::size_t input, bool chosen, const QString& low,
                            const QString& high) {
  VariableControls& controls = variables_.at(input);
  controls.chosen->setChecked(chosen);
  controls.low->setText(low);
  controls.high->setText(high);
}

void DesignTab::SetObjective(design::Objective objective) {
  objective_->setCurrentIndex(objective_->findData(static_cast<int>(objective)));
}

void DesignTab::SetLimits(const QString& maxPressure, const QString& minUniformity,
                          const QString& maxResidenceTime) {
  maxPressure_->setText(maxPressure);
  minUniformity_->setText(minUniformity);
  maxResidenceTime_->setText(maxResidenceTime);
}

design::SettingNames DesignTab::SettingNames() {
  design::SettingNames names;
  names.objective = "objective";
  names.maxEvaluations = "evaluations";
  for (std::size_t limit = 0; limit < design::kDesignLimits.size(); ++limit) {
    names.limits[limit] = std::string(design::kDesignLimits[limit].label);
  }
  return names;
}

std::optional<DesignTab::Request> DesignTab::Settings() {
  const auto base = casePanel_.Values();
  if (!base) {
    return std::nullopt;
  }
  Request request{design::CaseDesignModel(*base), {}};
  design::OptimiseSettings& settings = request.settings;
  // Every input has its row here, those the main window keeps fixed too.
  settings.allInputs = true;
  const char separator = casePanel_.Separator();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const VariableControls& controls = variables_[input];
    if (!controls.chosen->isChecked()) {
      continue;
    }
    const auto low = NumberOfText(controls.low->text(), separator);
    const auto high = NumberOfText(controls.high->text(), separator);
    if (!low || !high) {
      presenter_.ShowMessage(QStringLiteral("The bounds of %1 must be numbers.")
                                 .arg(InputTitle(cases::kInputs[input])));
      return std::nullopt;
    }
    settings.variables.push_back(
        {std::string(cases::kInputs[input].name), design::Bounds{*low, *high}});
  }
  if (settings.variables.empty()) {
    presenter_.ShowMessage(QStringLiteral("Choose at least one design variable."));
    return std::nullopt;
  }
  settings.objective = static_cast<design::Objective>(objective_->currentData().toInt());
  for (std::size_t limit = 0; limit < limits_.size(); ++limit) {
    QLineEdit* edit = limits_[limit];
    if (design::kDesignLimits[limit].byOperatingPoint || edit->text().trimmed().isEmpty()) {
      continue;
    }
    settings.limits[limit] = InPascals(design::kDesignLimits[limit])
                                 ? PascalsOfKilopascalText(edit->text(), separator)
                                 : NumberOfText(edit->text(), separator);
    if (!settings.limits[limit]) {
      presenter_.ShowMessage(QStringLiteral("A limit must be a number or empty."));
      return std::nullopt;
    }
  }
  try {
    design::CheckOptimise(request.model, settings, SettingNames());
  } catch (const design::DesignRefusal& refusal) {
    presenter_.ShowMessage(Utf8Text(refusal.what()));
    return std::nullopt;
  }
  return request;
}

bool DesignTab::Start() {
  if (Running()) {
    return false;
  }
  auto settings = Settings();
  if (!settings) {
    return false;
  }
  finishedResult_.reset();
  result_.reset();
  evaluationsShown_ = 0;
  bestUniformity_.reset();
  bestSoFar_->clear();
  optimumMark_->clear();
  ApplyNiceScale(*evaluationAxis_, 0, 1, kMostEvaluationTicks, true);
  ApplyNiceScale(*uniformityAxis_, 0, 1, kMostUniformityTicks);
  optimum_->clear();
  job_.Start([this, request = std::move(*settings)](const std::atomic<bool>& cancelled) {
    finishedResult_ =
        design::Optimise(request.model, request.settings,
                         [this, &cancelled](const design::DesignEvaluation& evaluation) {
                           evaluations_.Push(evaluation);
                           return !cancelled.load();
                         });
  });
  status_->setText(QStringLiteral("searching"));
  // Disabling the focused Run button would pass the focus on; it comes back at the end.
  focusBeforeRun_ = window()->focusWidget();
  run_->setEnabled(false);
  cancel_->setEnabled(true);
  apply_->setEnabled(false);
  pin_->setEnabled(false);
  showResultButton_->setEnabled(false);
  return true;
}

void DesignTab::TakeEvaluations() {
  const std::vector<design::DesignEvaluation> evaluations = evaluations_.Take();
  for (const design::DesignEvaluation& evaluation : evaluations) {
    ++evaluationsShown_;
    if (evaluation.feasible &&
        (!bestUniformity_ || evaluation.figures.uniformity > *bestUniformity_)) {
      bestUniformity_ = evaluation.figures.uniformity;
    }
    if (bestUniformity_) {
      bestSoFar_->append(evaluationsShown_, *bestUniformity_);
    }
  }
  if (!evaluations.empty()) {
    ApplyNiceScale(*evaluationAxis_, 0, std::max(1, evaluationsShown_), kMostEvaluationTicks, true);
    if (bestUniformity_) {
      // The first best is the lowest: the line only rises.
      ApplyNiceScale(*uniformityAxis_, bestSoFar_->at(0).y(), *bestUniformity_,
                     kMostUniformityTicks);
    }
    status_->setText(QStringLiteral("searching: %1 evaluations").arg(evaluationsShown_));
  }
}

void DesignTab::SearchFinished() {
  TakeEvaluations();
  run_->setEnabled(true);
  cancel_->setEnabled(false);
  if (focusBeforeRun_ != nullptr && isAncestorOf(focusBeforeRun_)) {
    focusBeforeRun_->setFocus(Qt::OtherFocusReason);
  }
  result_ = std::move(finishedResult_);
  finishedResult_.reset();
  if (!job_.Failure().empty()) {
    status_->setText(QString::fromStdString(job_.Failure()));
  }
  // The optimum marked where the search found it, and the ticked rows kept in view.
  if (result_ && result_->best.figures.Solved() && bestUniformity_) {
    for (const QPointF& point : bestSoFar_->points()) {
      if (point.y() == *bestUniformity_) {
        optimumMark_->append(point);
        break;
      }
    }
  }
  // Once the layout has taken the optimum's lines in.
  QTimer::singleShot(0, this, [this] {
    for (const VariableControls& controls : variables_) {
      if (controls.chosen->isChecked()) {
        variablesArea_->ensureWidgetVisible(controls.chosen);
        break;
      }
    }
  });
  if (result_) {
    const design::OptimiseResult& result = *result_;
    const char separator = casePanel_.Separator();
    status_->setText(QStringLiteral("%1 after %2 evaluations: %3")
                         .arg(Utf8Text(design::OptimiseStatusName(result.status)))
                         .arg(result.evaluations)
                         .arg(QString::fromStdString(result.reason)));
    QStringList inputs;
    QStringList fullInputs;
    for (std::size_t input = 0; input < cases::kInputCount; ++input) {
      const QString symbol = Utf8Text(cases::kInputs[input].symbol);
      inputs.append(QStringLiteral("%1 = %2").arg(
          symbol, ScreenNumber(result.best.values[input], separator)));
      fullInputs.append(
          QStringLiteral("%1 = %2").arg(symbol, FullNumber(result.best.values[input], separator)));
    }
    if (result.status != design::OptimiseStatus::Optimum) {
      inputs.prepend(QStringLiteral("No answer, the best candidate:"));
    }
    const design::DesignFigures& figures = result.best.figures;
    QString text = inputs.join(QStringLiteral(", "));
    QString full = fullInputs.join(QStringLiteral(", "));
    if (figures.Solved()) {
      // Each figure to the precision of the limit it is held against.
      text += QStringLiteral("\nuniformity %1   entrance pressure %2   longest residence time %3 s")
                  .arg(ComparedNumber(figures.uniformity, minUniformity_->text(), separator),
                       ComparedPressure(figures.entrancePressure, maxPressure_->text(), separator),
                       ComparedNumber(figures.longestResidenceTime, maxResidenceTime_->text(),
                                      separator));
      full += QStringLiteral("\nuniformity %1   entrance pressure %2   longest residence time %3 s")
                  .arg(FullNumber(figures.uniformity, separator),
                       FullPressure(figures.entrancePressure, separator),
                       FullNumber(figures.longestResidenceTime, separator));
    }
    optimum_->setText(text);
    optimum_->setToolTip(full);
    // Only an optimum is an answer to apply or show.
    const bool answer = result.status == design::OptimiseStatus::Optimum && result.solution;
    apply_->setEnabled(answer);
    showResultButton_->setEnabled(answer);
    pin_->setEnabled(answer);
  }
  emit finished();
}

void DesignTab::ApplyToMainWindow() {
  if (result_) {
    casePanel_.SetValues(design::CaseDesignModel::CaseOf(result_->best.values));
    casePanel_.ApplyToMainWindow();
  }
}

std::optional<FinishedRun> DesignTab::OptimumRun() const {
  if (!result_ || !result_->solution) {
    return std::nullopt;
  }
  // The search solved its optimum in full; it is shown as solved, not solved again.
  const auto& solved = dynamic_cast<const design::CaseSolution&>(*result_->solution);
  FinishedRun run;
  run.parameters = solved.parameters;
  run.table = solved.solution.table;
  run.outcome = solved.solution.solve;
  run.finishedAt = QDateTime::currentDateTime();
  run.search = Utf8Text(solver::SearchName(solver::Search::Robust));
  return run;
}

void DesignTab::ShowResult() {
  if (const auto run = OptimumRun(); run && showResult_) {
    showResult_(*run);
  }
}

}  // namespace fluxeta::ui
