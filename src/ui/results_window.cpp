#include "results_window.h"

#include <QChartView>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include "case/number_text.h"
#include "cavity_chart.h"
#include "deviation_chart.h"
#include "run/result_file.h"
#include "run/station_table_csv.h"
#include "widget_picture.h"
#include "window_placement.h"

namespace fluxeta::ui {

namespace {

const QString kCaption = QStringLiteral("Results");
const QString kSavePlotsCaption = QStringLiteral("Save Plots…");
const QString kCopyTableCaption = QStringLiteral("Copy Table as CSV");
const QString kPngFilter = QStringLiteral("PNG image (*.png)");
const QString kSvgFilter = QStringLiteral("SVG image (*.svg)");
const QString kSvgSuffix = QStringLiteral("svg");
const QString kPngSuffix = QStringLiteral("png");
const QString kSvgTitle = QStringLiteral("Fluxeta results");
const QString kPlotsNotSaved = QStringLiteral("The plots can not be saved to \"%1\".");

// The first size of the window: two plots above the figures, about as tall as the main
// window.
constexpr QSize kInitialSize(640, 660);
constexpr int kMinimumPlotHeight = 220;

// The entrance pressure as the result file prints it, three decimals of MPa.
QString EntrancePressureFigure(double entrancePressure) {
  return QString::fromStdString(
      cases::EntrancePressureText(entrancePressure, cases::LocaleDecimalSeparator()));
}

// The uniformity to five significant figures: the file's three decimals hide differences
// between the cases a user compares.
QString UniformityFigure(double uniformity) {
  return QString::fromStdString(cases::FormatNumber(uniformity, cases::NumberFormat::General, 5, 0,
                                                    cases::LocaleDecimalSeparator()));
}

QChartView* MakeChartView(QChart* chart) {
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

}  // namespace

ResultsWindow::ResultsWindow(Presenter& presenter, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window),
      presenter_(presenter),
      deviationChart_(new DeviationChart),
      cavityChart_(new CavityChart),
      plots_(new QWidget),
      entrancePressure_(MakeValueLabel()),
      uniformity_(MakeValueLabel()),
      sweeps_(MakeValueLabel()),
      resultFile_(MakeValueLabel()),
      savePlotsButton_(new QPushButton(kSavePlotsCaption)),
      copyTableButton_(new QPushButton(kCopyTableCaption)) {
  setWindowTitle(kCaption);
  setObjectName(QStringLiteral("ResultsWindow"));
  // The user goes on typing cases into the main window; this window only shows them.
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kInitialSize);

  auto* plotsLayout = new QVBoxLayout(plots_);
  plotsLayout->setContentsMargins(0, 0, 0, 0);
  plotsLayout->addWidget(MakeChartView(deviationChart_));
  plotsLayout->addWidget(MakeChartView(cavityChart_));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(plots_, 1);
  layout->addWidget(MakeSummary());

  connect(savePlotsButton_, &QPushButton::clicked, this, [this] { SavePlotsChosenByUser(); });
  connect(copyTableButton_, &QPushButton::clicked, this, [this] { CopyTableAsCsv(); });
}

QWidget* ResultsWindow::MakeSummary() {
  auto* summary = new QWidget;
  auto* figures = new QGridLayout;
  const QString captions[] = {QStringLiteral("Entrance pressure (MPa)"),
                              QStringLiteral("Uniformity (-)"), QStringLiteral("Sweeps"),
                              QStringLiteral("Result file")};
  QLabel* values[] = {entrancePressure_, uniformity_, sweeps_, resultFile_};
  for (int row = 0; row < 4; ++row) {
    figures->addWidget(new QLabel(captions[row]), row, 0);
    figures->addWidget(values[row], row, 1);
  }
  resultFile_->setWordWrap(true);
  figures->setColumnStretch(1, 1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(savePlotsButton_);
  buttons->addWidget(copyTableButton_);
  buttons->addStretch(1);

  auto* layout = new QHBoxLayout(summary);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(figures, 1);
  layout->addLayout(buttons);
  return summary;
}

void ResultsWindow::ShowResults(const cases::CaseParameters& parameters,
                                const cases::StationTable& table,
                                const solver::SolveOutcome& outcome,
                                const QString& resultFilePath) {
  shownTable_ = table;
  shownResultFile_ = resultFilePath;

  const QString uniformity = UniformityFigure(table.Uniformity);
  deviationChart_->ShowDeviation(table, parameters.W, uniformity);
  cavityChart_->ShowCavity(table, parameters.W);
  entrancePressure_->setText(EntrancePressureFigure(table.P[1]));
  uniformity_->setText(uniformity);
  sweeps_->setText(QString::number(outcome.sweeps));
  resultFile_->setText(resultFilePath);

  if (!placed_) {
    PlaceBesideMainWindow();
    placed_ = true;
  }
  show();
  raise();
}

void ResultsWindow::PlaceBesideMainWindow() {
  const QWidget* mainWindow = parentWidget();
  QScreen* screen = mainWindow != nullptr ? mainWindow->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  // Before the first show the window has no frame yet; the main window's frame is the best
  // guess of the one it will get.
  QSize frameSize = size();
  QRect anchor = screen->availableGeometry();
  if (mainWindow != nullptr) {
    anchor = mainWindow->frameGeometry();
    frameSize += mainWindow->frameGeometry().size() - mainWindow->size();
  }
  move(PlacementBeside(anchor, frameSize, screen->availableGeometry()));
}

bool ResultsWindow::SavePlots(const QString& path) {
  if (QFileInfo(path).suffix().compare(kSvgSuffix, Qt::CaseInsensitive) == 0) {
    return SaveWidgetAsSvg(*plots_, path, kSvgTitle);
  }
  return SaveWidgetAsPng(*plots_, path);
}

void ResultsWindow::CopyTableAsCsv() const {
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(cases::StationTableCsv(shownTable_)));
}

void ResultsWindow::SavePlotsChosenByUser() {
  const QFileInfo resultFile(shownResultFile_);
  const QString proposal = resultFile.absoluteDir().filePath(resultFile.completeBaseName() +
                                                             QStringLiteral(".") + kPngSuffix);
  QString filter = kPngFilter;
  QString path = QFileDialog::getSaveFileName(
      this, kSavePlotsCaption, proposal, kPngFilter + QStringLiteral(";;") + kSvgFilter, &filter);
  if (path.isEmpty()) {
    return;
  }
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.compare(kPngSuffix, Qt::CaseInsensitive) != 0 &&
      suffix.compare(kSvgSuffix, Qt::CaseInsensitive) != 0) {
    path += QStringLiteral(".") + (filter == kSvgFilter ? kSvgSuffix : kPngSuffix);
  }
  if (!SavePlots(path)) {
    presenter_.ShowMessage(kPlotsNotSaved.arg(QDir::toNativeSeparators(path)));
  }
}

}  // namespace fluxeta::ui
