#include "result_tab.h"

#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cmath>

#include "case_summary.h"
#include "cavity_chart.h"
#include "deviation_chart.h"
#include "export_path.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/die_exports.h"
#include "fluxeta/run/result_file.h"
#include "fluxeta/run/station_table_csv.h"
#include "number_presentation.h"
#include "widget_picture.h"

namespace fluxeta::ui {

namespace {

const QString kSavePlotsCaption = QStringLiteral("Save Plots…");
const QString kCopyTableCaption = QStringLiteral("Copy Table as CSV");
const QString kOpenFolderCaption = QStringLiteral("Open Folder");
const QString kSvgSuffix = QStringLiteral("svg");
const QString kPngSuffix = QStringLiteral("png");
const QString kPlotsNotSaved = QStringLiteral("The plots can not be saved to \"%1\".");
const QString kFolderNotOpened = QStringLiteral("The folder \"%1\" can not be opened.");

const QString kCurrentHeading = QStringLiteral("Run at %1 · search: %2");
const QString kPreviousHeading = QStringLiteral("Previous case, run at %1 · search: %2");
const QString kNotRunHeading = QStringLiteral("Case in the main window, not run yet");
const QString kRunUnderWay =
    QStringLiteral("A run is under way. Shown below: the previous case, run at %1.");
const QString kDidNotFinish = QStringLiteral("The last run did not finish: %1");
const QString kPreviousShown = QStringLiteral(" Shown below: the previous case, run at %1.");
const QString kNothingShown = QStringLiteral(" No run has finished yet.");
const QString kCsvStatus = QStringLiteral("# status,%1,\n");
const QString kCsvPreviousCase = QStringLiteral("previous case; %1");
const QString kDieHeading = QStringLiteral("Die solved at %1 · %2 stations");
const QString kPreviousDieHeading = QStringLiteral("Previous die, solved at %1 · %2 stations");
const QString kDieNotWritten = QStringLiteral("(none: a die of the Die tab)");
const QString kCsvDie = QStringLiteral("# die,%1,\n# solved,%2,\n");
const QString kDiePlotsName = QStringLiteral("die.png");
constexpr double kKilopascalsPerPascal = 1e-3;

// Notices stand out from the figures: dark text on a pale amber ground.
const QString kNoticeStyle = QStringLiteral(
    "QLabel { background: #fff4ce; color: #6b2a00; border: 1px solid #d9a400; padding: 4px; }");

constexpr int kMinimumPlotHeight = 190;
constexpr int kDeviationPlotStretch = 4;
constexpr int kCavityPlotStretch = 5;

// The entrance pressure in kPa, as on every tab: the file's three decimals of MPa cannot be
// checked against a limit in Pa or kPa.
QString EntrancePressureFigure(double entrancePressure) {
  return ScreenPressure(entrancePressure, cases::LocaleDecimalSeparator());
}

// The file's three decimals hide differences between the cases a user compares.
QString UniformityFigure(double uniformity) {
  return ScreenNumber(uniformity, cases::LocaleDecimalSeparator());
}

// A die's station curves: values of an interval at its middle, the manifold's pressure and
// flow where the table takes them (the interval's end nearer the feed).
struct DieCurves {
  QList<QPointF> deviation, pressure, flow;
};

DieCurves CurvesOf(const solver::DieSolution& solution) {
  DieCurves curves;
  const solver::DieStationTable& table = solution.table;
  const bool centreFed = solution.feed == cases::DieFeed::Centre;
  for (int i = 0; i < solution.stations; ++i) {
    const bool leftHalf = centreFed && i < solution.stations / 2;
    const double fedEnd = leftHalf ? table.X[i] + solution.stationWidth : table.X[i];
    if (std::isfinite(table.Q_DIFF[i])) {
      curves.deviation.append(QPointF(solution.StationMiddle(i), table.Q_DIFF[i]));
    }
    if (std::isfinite(table.P[i]) && std::isfinite(table.Q[i])) {
      curves.pressure.append(QPointF(fedEnd, kKilopascalsPerPascal * table.P[i]));
      curves.flow.append(QPointF(fedEnd, table.Q[i]));
    }
  }
  return curves;
}

QChartView* MakeChartView(QChart* chart) {
  // The plots take the whole height the window can spare them: the cavity plot's pressure
  // labels are left out when its plot area is short.
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setBackgroundRoundness(0);
  auto* view = new QChartView(chart);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumHeight(kMinimumPlotHeight);
  return view;
}

QLabel* MakeValueLabel() {
  auto* label = new QLabel;
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* MakeNotice(const char* name) {
  auto* label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setStyleSheet(kNoticeStyle);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->hide();
  return label;
}

}  // namespace

ResultTab::ResultTab(Presenter& presenter, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      statusLabel_(MakeNotice("ResultStatus")),
      warningLabel_(MakeNotice("ResultWarning")),
      plots_(new QWidget),
      heading_(MakeValueLabel()),
      deviationChart_(new DeviationChart),
      cavityChart_(new CavityChart),
      figures_(nullptr),
      entrancePressure_(MakeValueLabel()),
      uniformity_(MakeValueLabel()),
      sweeps_(MakeValueLabel()),
      resultFile_(new QLineEdit),
      openFolderButton_(new QPushButton(kOpenFolderCaption)),
      savePlotsButton_(new QPushButton(kSavePlotsCaption)),
      copyTableButton_(new QPushButton(kCopyTableCaption)),
      pinButton_(new QPushButton(QStringLiteral("Pin for Comparison"))),
      exportNotice_(MakeValueLabel()) {
  setObjectName(QStringLiteral("ResultTab"));
  heading_->setObjectName(QStringLiteral("ResultHeading"));
  entrancePressure_->setObjectName(QStringLiteral("EntrancePressure"));
  uniformity_->setObjectName(QStringLiteral("Uniformity"));
  heading_->setWordWrap(true);
  resultFile_->setObjectName(QStringLiteral("ResultFile"));
  resultFile_->setReadOnly(true);
  openFolderButton_->setObjectName(QStringLiteral("OpenFolder"));
  savePlotsButton_->setObjectName(QStringLiteral("SavePlots"));
  copyTableButton_->setObjectName(QStringLiteral("CopyTableAsCsv"));
  pinButton_->setObjectName(QStringLiteral("PinResult"));
  pinButton_->setToolTip(QStringLiteral("Keeps this result on the Compare tab"));

  // The heading belongs to the plots, so that every saved picture names its case.
  auto* plotsLayout = new QVBoxLayout(plots_);
  plotsLayout->setContentsMargins(0, 0, 0, 0);
  plotsLayout->addWidget(heading_);
  // The cavity plot shares its height with a legend.
  plotsLayout->addWidget(MakeChartView(deviationChart_), kDeviationPlotStretch);
  plotsLayout->addWidget(MakeChartView(cavityChart_), kCavityPlotStretch);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(statusLabel_);
  layout->addWidget(warningLabel_);
  layout->addWidget(plots_, 1);
  layout->addWidget(MakeSummary());
  layout->addWidget(MakeResultFileRow());

  for (QPushButton* button : {openFolderButton_, savePlotsButton_, copyTableButton_, pinButton_}) {
    button->setEnabled(false);
  }
  connect(openFolderButton_, &QPushButton::clicked, this, [this] { OpenResultFolder(); });
  connect(savePlotsButton_, &QPushButton::clicked, this, [this] { SavePlotsChosenByUser(); });
  connect(copyTableButton_, &QPushButton::clicked, this, [this] { CopyTableAsCsv(); });
  connect(pinButton_, &QPushButton::clicked, this, &ResultTab::pinRequested);
}

QWidget* ResultTab::MakeSummary() {
  figures_ = new QWidget;
  auto* figures = new QGridLayout(figures_);
  figures->setContentsMargins(0, 0, 0, 0);
  const QString captions[] = {QStringLiteral("Entrance pressure"), QStringLiteral("Uniformity (-)"),
                              QStringLiteral("Sweeps")};
  QLabel* values[] = {entrancePressure_, uniformity_, sweeps_};
  for (int row = 0; row < 3; ++row) {
    figures->addWidget(new QLabel(captions[row]), row, 0);
    figures->addWidget(values[row], row, 1);
  }
  exportNotice_->setObjectName(QStringLiteral("ResultExportNotice"));
  exportNotice_->setWordWrap(true);
  figures->addWidget(exportNotice_, 3, 0, 1, 2);
  figures->setColumnStretch(1, 1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(savePlotsButton_);
  buttons->addWidget(copyTableButton_);
  buttons->addWidget(pinButton_);
  buttons->addStretch(1);

  auto* summary = new QWidget;
  auto* layout = new QHBoxLayout(summary);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(figures_, 1);
  layout->addLayout(buttons);
  return summary;
}

QWidget* ResultTab::MakeResultFileRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Result file")));
  layout->addWidget(resultFile_, 1);
  layout->addWidget(openFolderButton_);
  return row;
}

void ResultTab::ShowResults(const FinishedRun& run) {
  shownDie_.reset();
  shown_ = run;
  const QString uniformity = UniformityFigure(run.table.Uniformity);
  deviationChart_->ShowDeviation(run.table, run.parameters.W, uniformity);
  cavityChart_->ShowCavity(run.table, run.parameters.W);
  entrancePressure_->setText(EntrancePressureFigure(run.table.P[1]));
  entrancePressure_->setToolTip(FullPressure(run.table.P[1], cases::LocaleDecimalSeparator()));
  uniformity_->setText(uniformity);
  uniformity_->setToolTip(FullNumber(run.table.Uniformity, cases::LocaleDecimalSeparator()));
  sweeps_->setText(QString::number(run.outcome.sweeps));
  resultFile_->setText(QDir::toNativeSeparators(run.resultFile));
  resultFile_->setCursorPosition(0);
  for (QPushButton* button : {openFolderButton_, savePlotsButton_, copyTableButton_, pinButton_}) {
    button->setEnabled(true);
  }
  ShowWarning(QString());
  ShowStatus(QString());
}

void ResultTab::ShowDieSolution(const solver::DieSolution& solution, const QString& description) {
  shown_.reset();
  shownDie_ = ShownDie{solution, description, QDateTime::currentDateTime()};
  const QString uniformity = UniformityFigure(solution.uniformity);
  const DieCurves curves = CurvesOf(solution);
  deviationChart_->ShowDeviation(curves.deviation, solution.width, uniformity);
  cavityChart_->ShowCavity(curves.pressure, curves.flow, solution.width);
  entrancePressure_->setText(EntrancePressureFigure(solution.entrancePressure));
  entrancePressure_->setToolTip(
      FullPressure(solution.entrancePressure, cases::LocaleDecimalSeparator()));
  uniformity_->setText(uniformity);
  uniformity_->setToolTip(FullNumber(solution.uniformity, cases::LocaleDecimalSeparator()));
  sweeps_->setText(QString::number(solution.sweeps));
  resultFile_->setText(kDieNotWritten);
  openFolderButton_->setEnabled(false);
  savePlotsButton_->setEnabled(true);
  copyTableButton_->setEnabled(true);
  ShowWarning(QString());
  ShowStatus(QString());
}

QDateTime ResultTab::ShownAt() const {
  return shownDie_ ? shownDie_->finishedAt : shown_->finishedAt;
}

void ResultTab::ShowCaseNotRun(const run::BoxTexts& boxes) {
  if (HasRun()) {
    return;
  }
  heading_->setText(kNotRunHeading + u'\n' + CaseLine(boxes));
}

void ResultTab::RunStarted() {
  if (HasRun()) {
    ShowStatus(kRunUnderWay.arg(RunTimeText(ShownAt())));
  }
}

void ResultTab::RunDidNotFinish(const QString& reason) {
  const QString didNotFinish = kDidNotFinish.arg(reason);
  ShowStatus(HasRun() ? didNotFinish + kPreviousShown.arg(RunTimeText(ShownAt()))
                      : didNotFinish + kNothingShown);
}

void ResultTab::ShowWarning(const QString& text) {
  warningLabel_->setText(text);
  warningLabel_->setVisible(!text.isEmpty());
}

void ResultTab::ShowStatus(const QString& status) {
  status_ = status;
  statusLabel_->setText(status);
  statusLabel_->setVisible(!status.isEmpty());
  if (!HasRun()) {
    return;
  }
  // Figures of an earlier case are greyed and their heading says whose they are.
  figures_->setEnabled(status.isEmpty());
  if (shownDie_) {
    const QString when = RunTimeText(shownDie_->finishedAt);
    const QString stations = QString::number(shownDie_->solution.stations);
    heading_->setText((status.isEmpty() ? kDieHeading : kPreviousDieHeading).arg(when, stations) +
                      u'\n' + shownDie_->description);
    return;
  }
  const QString search = shown_->search;
  const QString when = RunTimeText(shown_->finishedAt);
  heading_->setText(
      (status.isEmpty() ? kCurrentHeading.arg(when, search) : kPreviousHeading.arg(when, search)) +
      u'\n' + CaseLine(shown_->parameters));
}

bool ResultTab::SavePlots(const QString& path) {
  if (!HasRun()) {
    return false;
  }
  if (QFileInfo(path).suffix().compare(kSvgSuffix, Qt::CaseInsensitive) == 0) {
    QString title = heading_->text();
    return SaveWidgetAsSvg(*plots_, path, title.replace(u'\n', QStringLiteral(" — ")));
  }
  return SaveWidgetAsPng(*plots_, path);
}

QImage ResultTab::PlotsPicture(const QSize& size) {
  return WidgetImage(*plots_, size);
}

QString ResultTab::TableCsv() const {
  if (!HasRun()) {
    return {};
  }
  QString csv;
  if (!status_.isEmpty()) {
    csv += kCsvStatus.arg(CsvField(kCsvPreviousCase.arg(status_)));
  }
  if (shownDie_) {
    csv += kCsvDie.arg(CsvField(shownDie_->description), RunTimeText(shownDie_->finishedAt));
    return csv + QString::fromStdString(run::DieStationTableCsv(shownDie_->solution));
  }
  csv += CaseCsvComments(shown_->parameters, shown_->finishedAt, shown_->search);
  csv += QString::fromStdString(run::StationTableCsv(shown_->table));
  return csv;
}

void ResultTab::CopyTableAsCsv() const {
  const QString csv = TableCsv();
  if (!csv.isEmpty()) {
    QGuiApplication::clipboard()->setText(csv);
  }
}

void ResultTab::OpenResultFolder() {
  if (!shown_) {
    return;
  }
  const QString folder = QFileInfo(shown_->resultFile).absolutePath();
  if (!presenter_.ShowFolder(folder)) {
    presenter_.ShowMessage(kFolderNotOpened.arg(QDir::toNativeSeparators(folder)));
  }
}

void ResultTab::SavePlotsChosenByUser() {
  if (!HasRun()) {
    return;
  }
  // A die's solve has no result file: its plots are named after the die.
  const QString resultName = shown_ ? QFileInfo(shown_->resultFile).completeBaseName()
                                    : QFileInfo(kDiePlotsName).completeBaseName();
  const QString path = ChooseExportPath(
      presenter_, *this, kSavePlotsCaption,
      FileNameOf((resultName.isEmpty() ? QStringLiteral("result") : resultName) +
                 QStringLiteral(" plots")),
      {{QStringLiteral("PNG images"), kPngSuffix}, {QStringLiteral("SVG images"), kSvgSuffix}});
  if (path.isEmpty()) {
    return;
  }
  if (!SavePlots(path)) {
    exportNotice_->setText(NotSavedText(path));
    presenter_.ShowMessage(kPlotsNotSaved.arg(QDir::toNativeSeparators(path)));
    return;
  }
  exportNotice_->setText(SavedText(QStringLiteral("the plots"), path));
}

}  // namespace fluxeta::ui
